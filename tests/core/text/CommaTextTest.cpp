#include "core/text/CommaText.h"

#include <gtest/gtest.h>

using namespace core;
using Fields = std::vector<std::string>;

TEST(CommaText, Splitting) {
    EXPECT_EQ(splitCommaText(",,,,,"), Fields(6));
    EXPECT_EQ(splitCommaText("a,b"), (Fields{"a", "b"}));
    EXPECT_EQ(splitCommaText(""), Fields{});
    EXPECT_EQ(splitCommaText(" \t "), Fields{});
    EXPECT_EQ(splitCommaText("a b,c"), (Fields{"a", "b", "c"})) << "a blank ends a field";
    EXPECT_EQ(splitCommaText("  a , b  "), (Fields{"a", "b"})) << "blanks round commas vanish";
    EXPECT_EQ(splitCommaText("a,"), (Fields{"a", ""}));
    EXPECT_EQ(splitCommaText("a, "), (Fields{"a"})) << "the comma is not the last byte";
    EXPECT_EQ(splitCommaText("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(splitCommaText("\"x, \"\"y\"\"\",z"), (Fields{"x, \"y\"", "z"}));
    EXPECT_EQ(splitCommaText("\"open"), (Fields{"open"}));
    EXPECT_EQ(splitCommaText("\"a\"b,c"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(splitCommaText(std::string_view("a\0b,c", 5)), (Fields{"a"}));
}
