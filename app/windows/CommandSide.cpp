#include "CommandSide.h"

#include "core/files/ReservationFile.h"
#include "core/forms/CommandSide.h"
#include "platform/windows/CommandChannel.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/StartupShortcut.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"
#include "platform/windows/WindowsFileStore.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

constexpr char kGuardName[] = "Brindlewhistmoore";
constexpr DWORD kAnswerPatienceMs = 10000;

std::wstring windowProgramPath() {
    const std::wstring beside = platform::toWide(platform::programFilePath());
    return beside.substr(0, beside.find_last_of(L"\\/") + 1) + L"Brindlewhistmoore.exe";
}

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
    // Redirected to a file or a pipe, lines end as Windows' own tools end them.
    std::wstring lines;
    for (const wchar_t c : wide) {
        if (c == L'\n')
            lines += L'\r';
        lines += c;
    }
    const UINT codePage = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
    const int size = WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, lines.data(), static_cast<int>(lines.size()), bytes.data(),
                        size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

class WindowCarrier : public core::CommandCarrier {
public:
    WindowCarrier() = default;
    WindowCarrier(const WindowCarrier&) = delete;
    WindowCarrier& operator=(const WindowCarrier&) = delete;
    ~WindowCarrier() override {
        if (copy_ != nullptr)
            CloseHandle(copy_);
    }

    core::Delivery send(const std::vector<std::string>& args) override {
        return platform::sendCommand(args, kAnswerPatienceMs);
    }

    bool copyHoldsGuard() override { return platform::copyHoldsGuard(kGuardName); }

    std::optional<std::string> sessionEntryFolder() override {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
            return std::nullopt;
        auto folder = platform::StartupShortcut(platform::StartupShortcut::startupFolder(),
                                                platform::fromWide(windowProgramPath()))
                          .startFolder();
        CoUninitialize();
        return folder;
    }

    // The menu's shortcut starts the program in its own folder.
    std::string menuFolder() override {
        const std::wstring program = windowProgramPath();
        return platform::fromWide(program.substr(0, program.find_last_of(L"\\/")));
    }

    bool enter(const std::string& folder) override {
        return SetCurrentDirectoryW(platform::toWide(folder).c_str()) != 0;
    }

    core::CommandAnswer listHere() override {
        platform::WindowsFileStore files;
        core::ReservationTable table;
        try {
            core::loadReservations(
                files, platform::reservationFilePath(platform::settingsFilePath()), table);
        } catch (const std::exception& e) {
            return {core::kRefused, "", std::string(e.what()) + "\n"};
        }
        return {core::kDone, core::listing(table), ""};
    }

    bool startCopy() override {
        copy_ = startWindowProgram(platform::toWide(core::kStartedForCommand), DETACHED_PROCESS);
        return copy_ != nullptr;
    }

    bool pause(int ms) override {
        const auto wait = static_cast<DWORD>(ms);
        // A copy that could not start has ended already.
        if (copy_ != nullptr && !ended_)
            ended_ = WaitForSingleObject(copy_, wait) == WAIT_OBJECT_0;
        else
            Sleep(wait);
        return !ended_;
    }

    std::string_view unreachableHint() const override { return ""; }

    std::string_view helpExamples() const override {
        return R"(  cmd:
  backup.cmd && Brindlewhistmoore --now poweroff
  Brindlewhistmoore --book 終了 --at 23:30
  Brindlewhistmoore --book reboot --at 4:00 --weekly sun
  Brindlewhistmoore --book standby --in 1h30m
  Brindlewhistmoore --list
  Brindlewhistmoore --stop 3
  Brindlewhistmoore --cancel
  PowerShell:
  Start-Process render.exe -Wait; Brindlewhistmoore --now poweroff
  Brindlewhistmoore --list | Select-String 終了
)";
    }

private:
    HANDLE copy_ = nullptr;
    bool ended_ = false;
};

} // namespace

HANDLE startWindowProgram(const std::wstring& arguments, DWORD creationFlags) {
    const std::wstring program = windowProgramPath();
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // In the current folder, inheriting no handles.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, creationFlags,
                        nullptr, nullptr, &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}

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
    WindowCarrier carrier;
    const core::CommandAnswer answer = core::runCommandSide(args, BWM_VERSION, carrier);
    if (speaks) {
        write(STD_OUTPUT_HANDLE, answer.out);
        write(STD_ERROR_HANDLE, answer.err);
    }
    return answer.status;
}
