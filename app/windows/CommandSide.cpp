#include "CommandSide.h"

#include "core/command/CommandLine.h"
#include "core/command/CommandSide.h"
#include "platform/windows/PipeCarrier.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"

#include <shellapi.h>

namespace {

// To a console as UTF-16; redirected to a file or a pipe, in the console's code page (UTF-8 when
// asked for) with the CR LF line ends of Windows' own tools.
void write(DWORD stream, const std::string& text, bool utf8) {
    HANDLE handle = GetStdHandle(stream);
    if (text.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    const std::wstring wide = platform::toWide(text);
    DWORD mode = 0;
    DWORD written = 0;
    // A window program writes to the console it was handed once it shares it.
    if (GetFileType(handle) == FILE_TYPE_CHAR && !GetConsoleMode(handle, &mode))
        AttachConsole(ATTACH_PARENT_PROCESS);
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::wstring lines;
    for (const wchar_t c : wide) {
        if (c == L'\n')
            lines += L'\r';
        lines += c;
    }
    const UINT codePage = utf8                        ? CP_UTF8
                          : GetConsoleOutputCP() != 0 ? GetConsoleOutputCP()
                                                      : GetACP();
    const int size = WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()), bytes.data(),
                        size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

std::vector<std::string> commandArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(platform::fromWide(words[i]));
    LocalFree(words);
    return args;
}

int runCommandSide(const std::vector<std::string>& args) {
    platform::PipeCarrier carrier;
    const auto parsed = core::parseCommandLine(args);
    const core::CommandAnswer answer = core::runCommandSide(args, parsed, BWM_VERSION, carrier);
    const bool utf8 = std::holds_alternative<core::ScriptCommand>(parsed) &&
                      std::get<core::ScriptCommand>(parsed).utf8;
    write(STD_OUTPUT_HANDLE, answer.out, utf8);
    write(STD_ERROR_HANDLE, answer.err, utf8);
    return answer.status;
}
