#include "core/command/Wire.h"

#include <gtest/gtest.h>

using namespace core;
using Args = std::vector<std::string>;

TEST(Wire, CommandsAndAnswersCrossWholeOrNotAtAll) {
    const Args args{"--book", "終了", "", "--at", "２３：３０"};
    EXPECT_EQ(decodeRequest(encodeRequest(args)), args);
    EXPECT_EQ(decodeRequest(""), Args{""});
    EXPECT_TRUE(decodeRequest(std::string(kLongestArguments, 'x')));
    EXPECT_FALSE(decodeRequest(std::string(kLongestArguments + 1, 'x'))) << "no command";

    for (const CommandAnswer& answer :
         {CommandAnswer{kDone, "1\t毎日\n", ""}, CommandAnswer{kRefused, "", "理由\n"},
          CommandAnswer{kUnreachable, "", ""}})
        EXPECT_EQ(decodeAnswer(encodeAnswer(answer)), answer);
    for (const std::string& wrong :
         {std::string(), std::string("0"), std::string("0\0out\0", 6), std::string("\0a\0b\0", 5),
          std::string("x\0a\0b\0", 6), std::string("0\0a\0b\0c\0", 8)})
        EXPECT_FALSE(decodeAnswer(wrong)) << wrong.size();
}
