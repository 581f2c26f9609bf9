#include "CommandSide.h"

#include "core/files/ReservationFile.h"
#include "core/forms/CommandLine.h"
#include "platform/windows/CommandChannel.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"
#include "platform/windows/WindowsFileStore.h"

#include <shellapi.h>

namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr wchar_t kWindowTitle[] = L"Brindlewhistmoore";
constexpr DWORD kAnswerPatienceMs = 10000;
constexpr DWORD kStartPatienceMs = 20000;
constexpr DWORD kPollMs = 200;

// To a console as UTF-16; redirected, in the console's code page.
void write(DWORD stream, const std::string& text) {
    if (text.empty())
        return;
    HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    const std::wstring wide = platform::toWide(text);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const UINT codePage = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int say(const core::CommandAnswer& answer, bool speaks) {
    if (speaks) {
        write(STD_OUTPUT_HANDLE, answer.out);
        write(STD_ERROR_HANDLE, answer.err);
    }
    return answer.status;
}

int listWithoutCopy(bool speaks) {
    platform::WindowsFileStore files;
    core::ReservationTable table;
    try {
        core::loadReservations(files, platform::reservationFilePath(platform::settingsFilePath()),
                               table);
    } catch (const std::exception& e) {
        return say({core::kRefused, "", std::string(e.what()) + "\n"}, speaks);
    }
    return say({core::kDone, core::listing(table), ""}, speaks);
}

// The window program beside this one, hidden as at logon, in the current folder, inheriting no
// handles.
HANDLE startCopy() {
    std::wstring program = platform::toWide(platform::programFilePath());
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"Brindlewhistmoore.exe";
    std::wstring commandLine =
        L"\"" + program + L"\" " + platform::toWide(core::kStartedForCommand);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, nullptr, &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
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

int runCommandSide(const std::vector<std::string>& args, bool speaks) {
    const auto parsed = core::parseCommandLine(args);
    if (const auto* error = std::get_if<core::UsageError>(&parsed))
        return say(core::usageAnswer(*error), speaks);
    const auto& command = std::get<core::ScriptCommand>(parsed);
    if (command.verb == core::CommandVerb::Help)
        return say({core::kDone, core::helpText(), ""}, speaks);
    if (command.verb == core::CommandVerb::Version)
        return say({core::kDone, core::versionText(BWM_VERSION), ""}, speaks);

    if (auto answer = platform::sendCommand(kWindowClass, kWindowTitle, args, kAnswerPatienceMs))
        return say(*answer, speaks);
    if (command.verb == core::CommandVerb::List)
        return listWithoutCopy(speaks);
    if (command.verb == core::CommandVerb::Cancel)
        return say({core::kRefused, "", "カウントダウンは動いていません。\n"}, speaks);
    if (HANDLE copy = startCopy()) {
        for (DWORD waited = 0; waited < kStartPatienceMs; waited += kPollMs) {
            // A copy that could not start has ended already.
            if (WaitForSingleObject(copy, kPollMs) == WAIT_OBJECT_0)
                break;
            if (auto answer =
                    platform::sendCommand(kWindowClass, kWindowTitle, args, kAnswerPatienceMs)) {
                CloseHandle(copy);
                return say(*answer, speaks);
            }
        }
        CloseHandle(copy);
    }
    return say({core::kUnreachable, "", "Brindlewhistmoore に届かず、起動もできませんでした。\n"},
               speaks);
}
