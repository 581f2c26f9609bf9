#include "core/base/RetryWait.h"

#include <gtest/gtest.h>

using namespace core;
using namespace std::chrono_literals;

TEST(RetryWait, LooksAtOnceThenOnlyAfterTheWaitAndAtOnceAgainAfterASuccess) {
    RetryWait retry(10min);
    const RetryWait::Clock::time_point start{};
    EXPECT_TRUE(retry.due(start));
    retry.failed(start);
    EXPECT_FALSE(retry.due(start + 9min + 59s));
    EXPECT_TRUE(retry.due(start + 10min));
    retry.failed(start + 10min + 1s);
    EXPECT_FALSE(retry.due(start + 20min)) << "the wait runs from the last failed look";
    EXPECT_TRUE(retry.due(start + 20min + 1s));
    retry.succeeded();
    EXPECT_TRUE(retry.due(start + 20min + 1s));
}
