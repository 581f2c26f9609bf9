#include "platform/linux/CpuUtils.h"

#include "platform/linux/ProcStatSource.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProcStatFixture : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        static int n = 0;
        fs::path path = fs::temp_directory_path() /
                        ("bwm-stat-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        std::ofstream(path) << text;
        paths.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& p : paths)
            fs::remove(p);
    }
    std::vector<fs::path> paths;
};

const char* kTwoCpus = "cpu  4705 356 584 3699 23 0 0 0 0 0\n"
                       "cpu0 1393 280 290 1800 10 0 0 0 0 0\n"
                       "cpu1 3312 76 294 1899 13 0 0 0 0 0\n"
                       "intr 114930548 113199788 3 0 5 263 0 4 [...]\n"
                       "ctxt 1990473\n";

} // namespace

TEST_F(ProcStatFixture, ReadsIdleAndIowaitAndCountsProcessors) {
    platform::ProcStatSource source(write(kTwoCpus));
    EXPECT_EQ(source.processorCount(), 2);
    const std::int64_t unitsPerTick = 10'000'000 / ::sysconf(_SC_CLK_TCK);
    EXPECT_EQ(source.idleTime(), (3699 + 23) * unitsPerTick);
    auto first = source.systemTime();
    auto second = source.systemTime();
    ASSERT_TRUE(first && second);
    EXPECT_LE(*first, *second);
}

TEST_F(ProcStatFixture, UnreadableOrOddFilesFail) {
    platform::ProcStatSource missing("/nonexistent/stat");
    EXPECT_EQ(missing.processorCount(), std::nullopt);
    EXPECT_EQ(missing.idleTime(), std::nullopt);
    platform::ProcStatSource cut(write("cpu  4705 356 584\n"));
    EXPECT_EQ(cut.idleTime(), std::nullopt);
    platform::ProcStatSource none(write("intr 1 2 3\n"));
    EXPECT_EQ(none.processorCount(), std::nullopt);
    EXPECT_EQ(none.idleTime(), std::nullopt);
}

TEST_F(ProcStatFixture, MeterFallsBackToTheRegistryMethodThatReadsZero) {
    platform::TCpuUsage meter(std::make_unique<platform::ProcStatSource>("/nonexistent/stat"));
    EXPECT_FALSE(meter.usesCounterMethod());
    EXPECT_EQ(meter.GetUsage(), 0);
    EXPECT_EQ(meter.GetUsage(), 0);
}

TEST(CpuUsageLive, ReadsThisMachine) {
    platform::TCpuUsage meter(std::make_unique<platform::ProcStatSource>());
    ASSERT_TRUE(meter.usesCounterMethod());
    EXPECT_EQ(meter.GetUsage(), 0) << "the first reading takes the baseline";
    // Keep one core busy for a while: the usage must show some work and stay a percentage.
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    volatile unsigned spin = 0;
    while (std::chrono::steady_clock::now() < until)
        spin = spin + 1;
    int usage = meter.GetUsage();
    EXPECT_GE(usage, 1);
    EXPECT_LE(usage, 100);
}
