// The Windows services on the real API, under wine. No power request leaves this program: the
// command interpreter is the tests' recorder, and only the command-line path is taken.
#include "core/schedule/PowerControl.h"
#include "platform/windows/ChildCommand.h"
#include "platform/windows/CommandChannel.h"
#include "platform/windows/CpuUtils.h"
#include "platform/windows/ExecutionState.h"
#include "platform/windows/IfTableCounters.h"
#include "platform/windows/ProcessWaits.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/ShellViewer.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/StartupShortcut.h"
#include "platform/windows/SystemError.h"
#include "platform/windows/WaitableWakeTimer.h"
#include "platform/windows/WindowsFileStore.h"
#include "platform/windows/WindowsPower.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemoryFileStore.h"

#include <aclapi.h>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <objbase.h>
#include <sstream>
#include <string>
#include <thread>
#include <tlhelp32.h>
#include <vector>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

fs::path besideThisProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / name;
}

std::string waitForText(const fs::path& file) {
    for (int i = 0; i < 100; ++i) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        if (text.str().find('\n') != std::string::npos)
            return text.str();
        Sleep(100);
    }
    return {};
}

} // namespace

TEST(WindowsServices, VersionPrivilegeAndCommandsThroughTheInterpreter) {
    platform::WindowsPower port;
    port.prepare();
    // Below 6 the exit call would be real; the tests never take that path.
    ASSERT_GE(port.osVersion().dwMajorVersion, 6u);
    EXPECT_EQ(port.osVersion().dwOSVersionInfoSize, 148u);
    EXPECT_TRUE(port.enableShutdownPrivilege());

    const fs::path recorder = besideThisProgram(L"recorder.exe");
    const fs::path log = fs::temp_directory_path() / "bwm-recorder.log";
    fs::remove(log);
    SetEnvironmentVariableW(L"ComSpec", recorder.c_str());
    SetEnvironmentVariableW(L"BWM_RECORDER_LOG", log.c_str());
    ASSERT_EQ(fs::path(platform::WindowsPower::commandInterpreter()), recorder)
        << "refusing: not the recorder";

    core::SharedState state;
    testing_support::FakePrompter prompter;
    testing_support::MemoryFileStore files;
    testing_support::FakeClock clock(testing_support::at(2026, 12, 9, 2, 0, 0));
    core::History history(files, "history.txt", clock);
    core::PowerControl power(port, state, prompter, history, clock, [](int) {});
    for (auto [action, arguments] : {std::pair{core::PowerAction::PowerOff, " /c shutdown /s /t 0"},
                                     std::pair{core::PowerAction::LogOff, " /c shutdown /l"}}) {
        state.PendingAction = action;
        power.EnableShutdownPrivilege();
        power.ExecutePowerAction();
        const std::string line = waitForText(log);
        EXPECT_EQ(line, recorder.string() + arguments + "\n");
        fs::remove(log);
    }
    EXPECT_TRUE(prompter.errors.empty());

    // An interpreter that cannot be started is a refusal, told once in the system's words.
    SetEnvironmentVariableW(L"ComSpec", besideThisProgram(L"missing.exe").c_str());
    state.PendingAction = core::PowerAction::PowerOff;
    power.ExecutePowerAction();
    power.ExecutePowerAction();
    EXPECT_EQ(prompter.errors,
              std::vector<std::string>{"電源断できませんでした。" +
                                       platform::systemMessage(ERROR_FILE_NOT_FOUND)});
    EXPECT_FALSE(fs::exists(log));
    EXPECT_EQ(history.last(3), "2026/12/09 2:00:00\t要求\t電源断の要求が受け付けられました。\n"
                               "2026/12/09 2:00:00\t要求\tログオフの要求が受け付けられました。\n"
                               "2026/12/09 2:00:00\t要求\t電源断できませんでした。" +
                                   platform::systemMessage(ERROR_FILE_NOT_FOUND) + "\n");

    // The history's viewer says why it could not show a file.
    EXPECT_EQ(platform::ShellViewer().open(besideThisProgram(L"missing.txt").string()),
              platform::systemMessage(ERROR_FILE_NOT_FOUND));
}

TEST(WindowsServices, OneCopyOfTwoStartedTogetherRuns) {
    platform::SingleInstance first("Brindlewhistmoore test guard");
    platform::SingleInstance second("Brindlewhistmoore test guard");
    EXPECT_FALSE(first.otherCopyRuns());
    EXPECT_TRUE(second.otherCopyRuns());
}

TEST(WindowsServices, CpuMeterRisesWhileTheProcessorsAreBusy) {
    platform::TCpuUsage meter;
    ASSERT_TRUE(meter.usesCounterMethod());
    meter.GetUsage(); // the baseline
    Sleep(500);
    const int quiet = meter.GetUsage();
    EXPECT_LE(quiet, 100);
    std::atomic<bool> stop = false;
    std::vector<std::thread> busy;
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
        busy.emplace_back([&stop] {
            while (!stop) {
            }
        });
    Sleep(1500);
    const int loaded = meter.GetUsage();
    stop = true;
    for (auto& thread : busy)
        thread.join();
    EXPECT_GE(loaded, 50) << "quiet " << quiet;
    EXPECT_LE(loaded, 100);
}

// Run a second time from a folder that cannot be written (chattr +i), with
// BWM_PROGRAM_FOLDER_LOCKED set, by locked_folder_test.sh.
TEST(WindowsServices, FilesBesideTheProgramOrInTheUsersFolder) {
    const std::string settings = platform::settingsFilePath();
    if (GetEnvironmentVariableW(L"BWM_PROGRAM_FOLDER_LOCKED", nullptr, 0) == 0) {
        EXPECT_EQ(fs::path(settings), besideThisProgram(L"windows_services_test.ini"));
        EXPECT_EQ(platform::reservationFilePath(settings), "SetTimeData.txt");
        return;
    }
    const fs::path user = fs::path(_wgetenv(L"APPDATA")) / "Brindlewhistmoore";
    EXPECT_EQ(fs::path(settings), user / "Brindlewhistmoore.ini");
    EXPECT_TRUE(fs::is_directory(user)) << "the folder is made at start";
    EXPECT_EQ(fs::path(platform::reservationFilePath(settings)), user / "SetTimeData.txt")
        << "the current folder, the locked one, holds no reservations";
}

TEST(WindowsServices, StartupShortcutOfThisCopy) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const fs::path folder = fs::temp_directory_path() / "bwm-startup";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string program = platform::programFilePath();
    platform::StartupShortcut shortcut(folder.string(), program);
    EXPECT_FALSE(shortcut.isThisCopys());
    shortcut.create();
    EXPECT_TRUE(fs::exists(folder / "Brindlewhistmoore.lnk"));
    EXPECT_EQ(shortcut.startFolder(), fs::current_path().string());
    std::string upper = program;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(platform::StartupShortcut(folder.string(), upper).isThisCopys())
        << "names are compared without case";
    EXPECT_FALSE(platform::StartupShortcut(folder.string(), "C:\\other\\Brindlewhistmoore.exe")
                     .isThisCopys());
    shortcut.remove();
    EXPECT_FALSE(fs::exists(folder / "Brindlewhistmoore.lnk"));
    EXPECT_NO_THROW(shortcut.remove()) << "none there is no error";
    fs::remove_all(folder);
    CoUninitialize();
}

TEST(WindowsServices, AReplaceThatLeavesOneWholeFile) {
    const fs::path folder = fs::temp_directory_path() / "bwm-store";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "SetTimeData.txt").string();
    platform::WindowsFileStore store;
    EXPECT_EQ(store.read(path, 100), std::nullopt);
    store.replace(path, "old");
    store.replace(path, std::string("a\0b\r\n", 5));
    EXPECT_EQ(store.read(path, 100), std::string("a\0b\r\n", 5));
    EXPECT_EQ(store.read(path, 1), "a") << "no more than the limit";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
    // A file at the name a fixed temporary name would have is neither used nor removed.
    std::ofstream(path + ".tmp") << "planted";
    store.replace(path, std::string("a\0b\r\n", 5));
    EXPECT_EQ(store.read(path + ".tmp", 100), "planted");
    fs::remove(path + ".tmp");
    SetFileAttributesW(fs::path(path).c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        store.replace(path, "new");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const std::system_error& refused) {
        EXPECT_EQ(refused.what(), path + ": " + platform::systemMessage(ERROR_ACCESS_DENIED))
            << "the system's own words, in UTF-8";
    }
    EXPECT_EQ(store.read(path, 1), "a");
    SetFileAttributesW(fs::path(path).c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string history = (folder / "history.txt").string();
    store.append(history, "one\n");
    store.append(history, "two\n");
    EXPECT_EQ(store.read(history, 100), "one\ntwo\n");
    fs::remove_all(folder);
}

TEST(WindowsServices, AwakeThroughTheCountdownAndWokenForTheBooking) {
    platform::ExecutionState awake;
    awake.hold();
    EXPECT_EQ(awake.lastRequest(),
              static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    awake.release();
    EXPECT_EQ(awake.lastRequest(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));

    platform::WaitableWakeTimer wake;
    const auto moment = testing_support::at(2026, 12, 7, 11, 59, 0, 0);
    wake.wakeAt(moment);
    ASSERT_TRUE(wake.dueTime().has_value()) << "wine, like a system without wake timers, sets it";
    EXPECT_EQ(wake.dueTime(), platform::utcFileTime(moment));
    // The due time is the moment in UTC: as far from now as the local moment is.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto utcNow = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    SYSTEMTIME local;
    GetLocalTime(&local);
    const std::chrono::milliseconds localAhead =
        moment - testing_support::at(local.wYear, local.wMonth, local.wDay, local.wHour,
                                     local.wMinute, local.wSecond, local.wMilliseconds);
    EXPECT_NEAR(static_cast<double>(*wake.dueTime() - utcNow) / 1e4,
                static_cast<double>(localAhead.count()), 2000.0);
    wake.wakeAt(std::nullopt);
    EXPECT_FALSE(wake.dueTime().has_value());
}

// Run in a zone with daylight saving by windows_wake_zone_test (TZ=Europe/Berlin).
TEST(WakeMoment, ByTheRulesOfItsDateAndPastTheSkippedHour) {
    const char* zoneName = std::getenv("TZ");
    if (zoneName == nullptr || std::string(zoneName) != "Europe/Berlin")
        GTEST_SKIP() << "needs TZ=Europe/Berlin";
    const auto utc = [](WORD y, WORD m, WORD d, WORD h, WORD min) {
        const SYSTEMTIME time{y, m, 0, d, h, min, 0, 0};
        FILETIME file{};
        SystemTimeToFileTime(&time, &file);
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(file.dwHighDateTime) << 32) |
                                         file.dwLowDateTime);
    };
    using testing_support::at;
    EXPECT_EQ(platform::utcFileTime(at(2027, 1, 15, 12, 0, 0)), utc(2027, 1, 15, 11, 0));
    EXPECT_EQ(platform::utcFileTime(at(2027, 7, 1, 12, 0, 0)), utc(2027, 7, 1, 10, 0));
    EXPECT_EQ(platform::utcFileTime(at(2027, 3, 28, 2, 30, 0)), utc(2027, 3, 28, 1, 0))
        << "2:30 is skipped that night: woken at 3:00";
    EXPECT_EQ(platform::utcFileTime(at(2027, 3, 28, 1, 59, 0)), utc(2027, 3, 28, 0, 59));
}

namespace {

constexpr UINT kCommand = WM_APP + 2;
platform::CommandPipeServer* servedBy = nullptr;

// The copy's window: it answers each command with its last argument, --history with a history far
// longer than the pipe's buffer.
LRESULT CALLBACK copyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCommand && servedBy != nullptr) {
        servedBy->answerPending([](const core::CommandRequest& request) {
            if (request.args.front() == "--history")
                return core::CommandAnswer{core::kDone, std::string(1050 * 81, 'h'), ""};
            return core::CommandAnswer{core::kDone, request.args.back() + "\n", ""};
        });
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(CommandPipe, ThisUserAloneOneServerAndEachCommandOnce) {
    std::promise<DWORD> started;
    std::thread copy([&started] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = copyProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"CommandPipeTestCopy";
        RegisterClassW(&windowClass);
        HWND window = CreateWindowW(L"CommandPipeTestCopy", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
        {
            platform::CommandPipeServer server(window, kCommand);
            servedBy = &server;
            started.set_value(server.listening() ? GetCurrentThreadId() : 0);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0)
                DispatchMessageW(&message);
            servedBy = nullptr;
        }
        DestroyWindow(window);
    });
    const DWORD copyThread = started.get_future().get();
    ASSERT_NE(copyThread, 0u);
    const core::Delivery delivery = platform::sendCommand({"--delete", "7"}, 5000);
    EXPECT_EQ(delivery.outcome, core::Delivery::Answered);
    EXPECT_EQ(delivery.answer.out, "7\n");
    const core::Delivery history = platform::sendCommand({"--history", "1000"}, 5000);
    EXPECT_EQ(history.outcome, core::Delivery::Answered);
    EXPECT_EQ(history.answer.out.size(), 1050u * 81u) << "an answer longer than the pipe's buffer";

    // The pipe lets this user alone in.
    ASSERT_TRUE(WaitNamedPipeW(platform::commandPipeName().c_str(), 5000));
    HANDLE client = CreateFileW(platform::commandPipeName().c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(client, INVALID_HANDLE_VALUE);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    ASSERT_EQ(GetSecurityInfo(client, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &dacl, nullptr, &security),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(dacl, nullptr);
    EXPECT_EQ(dacl->AceCount, 1);
    void* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, 0, &ace));
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    GetTokenInformation(token, TokenUser, user.data(), size, &size);
    CloseHandle(token);
    EXPECT_EQ(static_cast<ACCESS_ALLOWED_ACE*>(ace)->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_TRUE(EqualSid(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart,
                         reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid));
    LocalFree(security);
    CloseHandle(client);
    PostThreadMessageW(copyThread, WM_QUIT, 0, 0);
    copy.join();

    // A pipe of that name made first by another: no second server, and a command sent to the one
    // that does not answer is answered as possibly arrived, once.
    HANDLE squatter =
        CreateNamedPipeW(platform::commandPipeName().c_str(), PIPE_ACCESS_DUPLEX,
                         PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 65536, 65536, 0, nullptr);
    ASSERT_NE(squatter, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(platform::CommandPipeServer(nullptr, kCommand).listening());
    EXPECT_EQ(platform::sendCommand({"--list"}, 300).outcome, core::Delivery::Unanswered);
    CloseHandle(squatter);
}

TEST(WindowsServices, TheEndOfAProcessComesThroughTheMessageLoop) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_filter=None";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &startup, &child));
    platform::ProcessWaits processes;
    bool ended = false;
    EXPECT_FALSE(processes.waitForEnd({999999, {}}, [] {})) << "no such process";
    const std::vector<std::string> names = processes.runningNames();
    EXPECT_TRUE(std::find(names.begin(), names.end(), "windows_services_test.exe") != names.end())
        << "the suspended child, this user's";
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    ASSERT_TRUE(
        processes.waitForEnd({static_cast<int>(child.dwProcessId), {}}, [&] { ended = true; }));
    ResumeThread(child.hThread);
    for (int i = 0; i < 100 && !ended; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(50);
    }
    EXPECT_TRUE(ended);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

TEST(WindowsServices, NetworkCountersFromTheInterfaceTable) {
    platform::IfTableCounters network;
    const auto first = network.read();
    ASSERT_TRUE(first.has_value());
    const auto second = network.read();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(first->size(), second->size());
    for (const core::InterfaceTraffic& row : *first)
        EXPECT_FALSE(row.name.empty());
}

namespace {

std::optional<core::CommandEnd> endOf(platform::ChildCommand& command) {
    for (int i = 0; i < 100; ++i) {
        if (auto end = command.ended())
            return end;
        Sleep(100);
    }
    return std::nullopt;
}

int processesNamed(const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        count += _wcsicmp(entry.szExeFile, name) == 0 ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

} // namespace

TEST(WindowsServices, TheCommandBeforeTheActionRunsHiddenAndEndsWithItsJob) {
    platform::ChildCommand command;
    EXPECT_EQ(command.unusable("no-such-program --all"), "no-such-program が見つかりません");
    EXPECT_EQ(command.unusable("cmd /c exit 3"), std::nullopt) << "found on the search path";

    ASSERT_EQ(command.start("cmd /c echo saved 3 files& exit 3"), std::nullopt);
    const auto end = endOf(command);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->status, 3);
    EXPECT_NE(end->output.find("saved 3 files"), std::string::npos) << end->output;

    // Its time up: stopped with its job, nothing of it left.
    const std::string waits = "\"" + besideThisProgram(L"probe.exe").string() + "\" wait 60";
    ASSERT_EQ(command.start(waits), std::nullopt);
    Sleep(300);
    EXPECT_EQ(command.ended(), std::nullopt);
    EXPECT_EQ(processesNamed(L"probe.exe"), 1);
    command.stop();
    EXPECT_EQ(processesNamed(L"probe.exe"), 0);
    EXPECT_EQ(command.ended(), std::nullopt) << "a stopped command has no end to tell";
}
