#pragma once

#include <string>
#include <vector>

// The program started with a command: it goes to the copy that runs for this user, which starts
// hidden first when a command that changes something finds none. Needs no display. Returns the
// exit status.
int runCommandSide(const std::vector<std::string>& args, const std::string& programPath);
