#pragma once

#include "platform/windows/Win32.h"

#include <string>
#include <vector>

// The program started with a command: it goes to the copy that runs for this user, which is
// started hidden first when a command that changes something finds none. `speaks` is false for
// the window program, which has nowhere to write. Returns the exit status.
int runCommandSide(const std::vector<std::string>& args, bool speaks);

// The window program beside this one, with the arguments, in the current folder; its process, or
// nothing when it could not be started.
HANDLE startWindowProgram(const std::wstring& arguments, DWORD creationFlags);

// The arguments of this process's command line, in UTF-8, without the program's name.
std::vector<std::string> commandArguments();
