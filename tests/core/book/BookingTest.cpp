#include "core/book/Booking.h"

#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;

namespace {

std::vector<std::string> cells(const ElapsedBooking& b) {
    return {b.dateCell, b.periodCell, b.hourCell, b.minuteCell};
}

} // namespace

TEST(ElapsedBooking, AddsTheMinutesPlusOneAndDropsTheSeconds) {
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 7, 10, 0, 30), 0, "30")),
              (std::vector<std::string>{"2026/12/07", "午前", "10時", "31分"}));
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 7, 23, 50, 10), 0, "15")),
              (std::vector<std::string>{"2026/12/08", "午前", "０時", "06分"}));
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 7, 11, 59, 20), 0, "00")),
              (std::vector<std::string>{"2026/12/07", "午後", "０時", "00分"}));
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 7, 8, 3, 0), 2, "08")),
              (std::vector<std::string>{"2026/12/07", "午前", "10時", "12分"}));
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 31, 22, 59, 59), 1, "00")),
              (std::vector<std::string>{"2027/01/01", "午前", "０時", "00分"}));
}

TEST(ElapsedBooking, LongestDelayIsFortyOneDaysAndSixteenHours) {
    // 999 h 59 min + 1 min = 41 days 16 hours.
    EXPECT_EQ(cells(elapsedBooking(at(2026, 12, 7, 9, 0, 0), 999, "59")),
              (std::vector<std::string>{"2027/01/18", "午前", "１時", "00分"}));
}

TEST(ElapsedBooking, MinutesMustBeAWholeNumber) {
    for (const char* bad : {"", "x", "3.5", " 5"}) {
        try {
            elapsedBooking(at(2026, 12, 7, 9, 0, 0), 0, bad);
            FAIL() << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' は整数ではありません");
        }
    }
}

TEST(ElapsedBooking, Labels) {
    EXPECT_EQ(minuteLabel(5), "05分");
    EXPECT_EQ(minuteLabel(10), "10分");
    EXPECT_EQ(minuteLabel(0), "00分");
    EXPECT_EQ(hourLabel(12), "０時");
    EXPECT_EQ(hourLabel(23), "11時");
    EXPECT_EQ(periodLabel(11), "午前");
    EXPECT_EQ(periodLabel(12), "午後");
}
