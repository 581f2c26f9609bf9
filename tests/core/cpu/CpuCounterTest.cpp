#include "core/cpu/CpuCounter.h"

#include <deque>
#include <gtest/gtest.h>

using namespace core;

namespace {

// Hands out queued samples; an empty optional is a failed query.
class QueuedSource : public CpuCounterSource {
public:
    std::optional<std::uint8_t> processorCount() override { return 1; }
    std::optional<std::int64_t> systemTime() override { return next(times); }
    std::optional<std::int64_t> idleTime() override { return next(idles); }

    void add(std::optional<std::int64_t> time, std::optional<std::int64_t> idle) {
        times.push_back(time);
        if (time)
            idles.push_back(idle);
    }

private:
    static std::optional<std::int64_t> next(std::deque<std::optional<std::int64_t>>& queue) {
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
    std::deque<std::optional<std::int64_t>> times;
    std::deque<std::optional<std::int64_t>> idles;
};

} // namespace

TEST(CpuUsageFormula, WorkedFigures) {
    EXPECT_EQ(usagePercent(7'500'000, 5'000'000, 2), 25);
    EXPECT_EQ(usagePercent(3'333'333, 5'000'000, 1), 33) << "truncated, not rounded";
    EXPECT_EQ(usagePercent(5'000'000, 5'000'000, 1), 0);
    EXPECT_EQ(usagePercent(0, 5'000'000, 1), 100);
    EXPECT_EQ(usagePercent(5'100'000, 5'000'000, 1), 0) << "-2 becomes 0";
    EXPECT_EQ(usagePercent(5'025'000, 5'000'000, 1), 0) << "-0.5 truncates to 0";
    EXPECT_EQ(usagePercent(500, 5'000'000, 1), 99) << "99.99 gives 99";
    EXPECT_EQ(usagePercent(1'000'000, -5'000'000, 1), 100) << "a clock set backwards";
}

TEST(CpuCounter, FirstReadingTakesTheBaseline) {
    QueuedSource source;
    CpuCounter counter(source, 2);
    source.add(10'000'000, 4'000'000);
    source.add(15'000'000, 11'500'000);
    EXPECT_EQ(counter.reading(), 0);
    EXPECT_EQ(counter.reading(), 25);
}

TEST(CpuCounter, EqualTimesGiveZeroAndANewBaseline) {
    QueuedSource source;
    CpuCounter counter(source, 1);
    source.add(10'000'000, 1'000'000);
    source.add(10'000'000, 2'000'000);
    source.add(15'000'000, 2'000'000);
    counter.reading();
    EXPECT_EQ(counter.reading(), 0);
    EXPECT_EQ(counter.reading(), 100) << "measured from the second sample";
}

TEST(CpuCounter, FailedQueriesKeepTheBaseline) {
    QueuedSource source;
    CpuCounter counter(source, 1);
    source.add(10'000'000, 1'000'000);
    source.add(std::nullopt, std::nullopt); // time query fails
    source.add(12'000'000, std::nullopt);   // idle query fails
    source.add(20'000'000, 6'000'000);
    counter.reading();
    EXPECT_EQ(counter.reading(), 0);
    EXPECT_EQ(counter.reading(), 0);
    EXPECT_EQ(counter.reading(), 50) << "averaged over the whole span since the baseline";
}

TEST(CpuCounter, NoProcessorCountGivesZero) {
    QueuedSource source;
    CpuCounter counter(source, 0);
    source.add(10'000'000, 1'000'000);
    source.add(15'000'000, 1'000'000);
    counter.reading();
    EXPECT_EQ(counter.reading(), 0);
}
