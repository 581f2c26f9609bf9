#include "core/schedule/TickSchedule.h"

#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;

TEST(TickSchedule, NextTickByModeAndClock) {
    const TickMode shown{true, false, false};
    const TickMode hidden{false, false, false};
    const LocalTime now = at(2026, 12, 7, 11, 59, 59, 700);
    EXPECT_EQ(planNextTick(32000, now, shown).intervalMs, 32000)
        << "a countdown's stretched interval, shown or not";
    EXPECT_EQ(planNextTick(32000, now, {false, true, false}).intervalMs, 32000);
    EXPECT_EQ(planNextTick(500, now, shown).due, at(2026, 12, 7, 12, 0, 0, 1));
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 12, 0, 0, 200), shown).due,
              at(2026, 12, 7, 12, 0, 0, 501));
    EXPECT_EQ(planNextTick(500, now, {false, true, false}).due, at(2026, 12, 7, 12, 0, 0, 1))
        << "the CPU-idle watch samples every half second, hidden too";
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 11, 30, 0, 100), {false, false, true}).due,
              at(2026, 12, 7, 11, 30, 0, 501))
        << "a file just loaded is scanned at the next half second";
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 12, 0, 0, 1), hidden).due,
              at(2026, 12, 7, 12, 1, 0, 1))
        << "hidden or minimised: the next minute's start, past its first millisecond";
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 12, 0, 0), hidden).due,
              at(2026, 12, 7, 12, 0, 0, 1))
        << "a reading on a boundary: the one-time rows of that minute expire 1 ms later";
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 11, 59, 59, 999), hidden).due,
              at(2026, 12, 7, 12, 0, 0, 1))
        << "a tick a moment early comes again at its minute";
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 10, 30, 12, 345), hidden).due,
              at(2026, 12, 7, 10, 31, 0, 1))
        << "after the clock was set back, or a resume, from the new reading";
    EXPECT_FALSE(planNextTick(500, now, hidden).intervalMs.has_value());
    EXPECT_EQ(planNextTick(500, at(2026, 12, 7, 10, 30, 12, 345), {false, false, false, true}).due,
              at(2026, 12, 7, 10, 30, 15, 1))
        << "hidden with the network watched: every 5 seconds";
    EXPECT_EQ(planNextTick(500, now, {true, false, false, true}).due, at(2026, 12, 7, 12, 0, 0, 1))
        << "shown: the half seconds, which read the network as often";
}
