// The Windows services on the real API, under wine. No power request leaves this program: the
// command interpreter is the tests' recorder, and only the command-line path is taken.
#include "core/schedule/PowerControl.h"
#include "platform/windows/CpuUtils.h"
#include "platform/windows/ExecutionState.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/StartupShortcut.h"
#include "platform/windows/SystemError.h"
#include "platform/windows/WaitableWakeTimer.h"
#include "platform/windows/WindowsFileStore.h"
#include "platform/windows/WindowsPower.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompter.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <objbase.h>
#include <sstream>
#include <thread>
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
    core::PowerControl power(port, state, prompter, [](int) {});
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
    EXPECT_TRUE(shortcut.isThisCopys());
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
