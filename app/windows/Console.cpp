// Brindlewhistmoore.com: the console program beside the window program, so that cmd and
// PowerShell wait for a command and see its answer. Without arguments it starts the window
// program, as a plain start of it would.
#include "CommandSide.h"

int wmain() {
    const std::vector<std::string> args = commandArguments();
    if (!args.empty())
        return runCommandSide(args, true);
    HANDLE started = startWindowProgram(L"", 0);
    if (started == nullptr)
        return 3;
    CloseHandle(started);
    return 0;
}
