#include "platform/linux/ProcNetDevCounters.h"
#include "platform/linux/ProcessWaits.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(JobSources, TheProgramListAndTheNetworkCounters) {
    const fs::path copy = fs::temp_directory_path() / ("bwm-listed-" + std::to_string(::getpid()));
    fs::copy_file("/bin/sleep", copy, fs::copy_options::overwrite_existing);
    std::string program = copy.string();
    std::string seconds = "30";
    char* argv[] = {program.data(), seconds.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);

    const std::vector<std::string> names = platform::ProcessWaits().runningNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_NE(std::find(names.begin(), names.end(), copy.filename().string()), names.end())
        << "the whole name, though the short one is cut at 15 bytes";
    EXPECT_EQ(std::find(names.begin(), names.end(), "kthreadd"), names.end())
        << "no kernel thread, also for root";
    EXPECT_FALSE(platform::ProcessWaits().waitForEnd(
        {std::nullopt, copy.filename().string(), {static_cast<int>(child)}}, [] {}))
        << "the command's sender never counts, though it bears the name";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    fs::remove(copy);

    EXPECT_TRUE(platform::ProcNetDevCounters().read().has_value());
    EXPECT_FALSE(platform::ProcNetDevCounters("/nonexistent/net/dev").read().has_value());
}
