#include "platform/linux/SystemClock.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(SystemClock, FollowsAZoneChangedWhileRunning) {
    using namespace std::chrono;
    platform::SystemClock clock(std::chrono::milliseconds(0));
    ::setenv("TZ", "UTC", 1);
    const auto utc = clock.now();
    ::setenv("TZ", "Asia/Tokyo", 1); // no tzset here: the clock must notice by itself
    const auto tokyo = clock.now();
    ::unsetenv("TZ");
    EXPECT_NEAR(static_cast<double>(duration_cast<minutes>(tokyo - utc).count()), 9 * 60, 1);
}
