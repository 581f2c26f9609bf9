// Brindlewhistmoore.com: the console program beside the window program, so that cmd and
// PowerShell wait for a command and see its answer. Without arguments it starts the window
// program, as a plain start of it would.
#include "CommandSide.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"

int wmain() {
    const std::vector<std::string> args = commandArguments();
    if (!args.empty())
        return runCommandSide(args, true);
    std::wstring program = platform::toWide(platform::programFilePath());
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"Brindlewhistmoore.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return 3;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}
