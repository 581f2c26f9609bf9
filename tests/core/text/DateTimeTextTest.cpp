#include "core/text/DateTimeText.h"

#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;

TEST(DateTimeText, Rendering) {
    EXPECT_EQ(formatShortDate(std::chrono::floor<std::chrono::days>(at(2007, 10, 1, 0, 0, 0))),
              "2007/10/01");
    EXPECT_EQ(formatLongTime(at(2026, 12, 7, 9, 5, 0, 999)), "9:05:00");
    EXPECT_EQ(formatLongTime(at(2026, 12, 7, 0, 0, 7)), "0:00:07");
    EXPECT_EQ(formatLongTime(at(2026, 12, 7, 23, 59, 59, 500)), "23:59:59");
}

TEST(DateTimeText, ParsingIsTheInverseOfRendering) {
    auto moment = at(2026, 2, 28, 21, 30, 0);
    auto text = formatShortDate(std::chrono::floor<std::chrono::days>(moment)) + " " +
                formatLongTime(moment);
    EXPECT_EQ(parseDateTime(text), moment);
    EXPECT_EQ(parseDateTime("2007/10/11 9:05:00"), at(2007, 10, 11, 9, 5, 0));
    EXPECT_EQ(parseDateTime("2007/1/5 09:05:00"), at(2007, 1, 5, 9, 5, 0));
    EXPECT_EQ(parseShortDate("2024/02/29"),
              std::chrono::floor<std::chrono::days>(at(2024, 2, 29, 0, 0, 0)));
}

TEST(DateTimeText, ParsingRejectsWhatIsNotADateTime) {
    for (const char* bad :
         {"", "2007/10/11", "2007/10/11  9:05:00", "2007/13/01 9:05:00", "2023/02/29 9:05:00",
          "2007/10/11 24:00:00", "2007/10/11 :05:00", "2007/10/11 9:60:00", "2007-10-11 9:05:00",
          "07/10/11 9:05:00", "2007/10/11 9:05:00 ", "2007/10/11 9:05"})
        EXPECT_EQ(parseDateTime(bad), std::nullopt) << bad;
    EXPECT_EQ(parseShortDate("2007/10/11x"), std::nullopt);
}

TEST(DateTimeText, WeekdayNumbersStartOnSunday) {
    auto day = [](int d) {
        return std::chrono::floor<std::chrono::days>(at(2026, 12, d, 0, 0, 0));
    };
    EXPECT_EQ(weekdayNumber(day(6)), 1);  // Sunday
    EXPECT_EQ(weekdayNumber(day(7)), 2);  // Monday
    EXPECT_EQ(weekdayNumber(day(12)), 7); // Saturday
}
