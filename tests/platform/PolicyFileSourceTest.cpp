#include "platform/linux/PolicyFileSource.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(PolicyFileSource, NothingPlantedInThePoliciesPlaceHoldsTheProgram) {
    const fs::path folder =
        fs::temp_directory_path() / ("bwm-policy-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path fifo = folder / "policy.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto read = std::async(std::launch::async, [&] {
        return platform::PolicyFileSource(fifo.string()).readIfChanged();
    });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Let the blocked reader go before failing.
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        FAIL() << "a FIFO as the policy file blocked the read";
    }
    const auto layers = read.get();
    ASSERT_TRUE(layers && layers->size() == 1);
    EXPECT_EQ(layers->front().ignored.size(), 1u) << "said as an unusable file";

    fs::remove(fifo);
    fs::create_symlink("/etc/hostname", fifo);
    const auto linked = platform::PolicyFileSource(fifo.string()).readIfChanged();
    ASSERT_TRUE(linked && linked->size() == 1);
    EXPECT_EQ(linked->front().ignored.size(), 1u) << "a link is not followed";
    fs::remove_all(folder);
}
