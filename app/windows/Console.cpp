// Brindlewhistmoore.com: the console program beside the window program, so that cmd and
// PowerShell wait for a command and see its answer. It starts Brindlewhistmoore.exe with its own
// command line and standard streams, waits for it and returns its exit status; without arguments
// it starts the window program and returns at once, as a plain start of it would. It carries
// nothing of the program itself, so it stays small.
#include <windows.h>

namespace {

constexpr int kUnreachable = 3;

// The rest of the command line after the program's name, as it was written.
const wchar_t* argumentsOf(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line != L'\0' && *line != L'"')
            ++line;
        if (*line == L'"')
            ++line;
    } else {
        while (*line != L'\0' && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

} // namespace

int wmain() {
    wchar_t program[32768];
    const DWORD length = GetModuleFileNameW(nullptr, program, 32768 - 4);
    if (length == 0 || length >= 32768 - 4 || length < 4)
        return kUnreachable;
    lstrcpyW(program + length - 4, L".exe");
    const wchar_t* arguments = argumentsOf(GetCommandLineW());
    const int size = lstrlenW(program) + lstrlenW(arguments) + 4;
    auto* commandLine = static_cast<wchar_t*>(
        HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(size) * sizeof(wchar_t)));
    if (commandLine == nullptr)
        return kUnreachable;
    lstrcpyW(commandLine, L"\"");
    lstrcatW(commandLine, program);
    lstrcatW(commandLine, L"\" ");
    lstrcatW(commandLine, arguments);

    const bool command = *arguments != L'\0';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (command) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program, commandLine, nullptr, nullptr, command ? TRUE : FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return kUnreachable;
    CloseHandle(started.hThread);
    DWORD status = 0;
    if (command) {
        WaitForSingleObject(started.hProcess, INFINITE);
        if (!GetExitCodeProcess(started.hProcess, &status))
            status = kUnreachable;
    }
    CloseHandle(started.hProcess);
    return static_cast<int>(status);
}
