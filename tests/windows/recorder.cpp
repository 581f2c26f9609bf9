// Stands in for the system's command interpreter in the tests: it appends the command line it
// was started with, in UTF-8, to the file named by BWM_RECORDER_LOG, and runs nothing.
#include <cstdio>
#include <string>
#include <windows.h>

int main() {
    wchar_t log[MAX_PATH];
    if (GetEnvironmentVariableW(L"BWM_RECORDER_LOG", log, MAX_PATH) == 0)
        return 1;
    const wchar_t* line = GetCommandLineW();
    std::string utf8(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                        nullptr);
    utf8.back() = '\n';
    FILE* out = _wfopen(log, L"ab");
    if (out == nullptr)
        return 1;
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
    return 0;
}
