#pragma once

#include <string>
#include <vector>

// The program started with a command: it goes to the copy that runs for this user, which is
// started hidden first when a command that changes something finds none. The answer goes to the
// standard streams the program was handed, if any (the console program hands its own). Returns
// the exit status.
int runCommandSide(const std::vector<std::string>& args);

// The arguments of this process's command line, in UTF-8, without the program's name.
std::vector<std::string> commandArguments();
