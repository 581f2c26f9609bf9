#include "core/command/Wire.h"

#include <gtest/gtest.h>

using namespace core;
using Args = std::vector<std::string>;

TEST(Wire, CommandsAndAnswersCrossWholeOrNotAtAll) {
    const CommandRequest request{"en", {"--book", "終了", "", "--at", "２３：３０"}};
    EXPECT_EQ(decodeRequest(encodeRequest(request)), request);
    EXPECT_EQ(decodeRequest(std::string("ja\0", 3)), (CommandRequest{"ja", Args{""}}));
    EXPECT_FALSE(decodeRequest("ja")) << "a language and no arguments";
    EXPECT_FALSE(decodeRequest(std::string(kLongestLanguage + 1, 'x') + '\0' + "--list"));
    const std::string longest = std::string("en\0", 3) + std::string(kLongestArguments, 'x');
    EXPECT_TRUE(decodeRequest(longest));
    EXPECT_FALSE(decodeRequest(longest + std::string(kLongestLanguage, 'x'))) << "no command";

    for (const CommandAnswer& answer :
         {CommandAnswer{kDone, "1\t毎日\n", ""}, CommandAnswer{kRefused, "", "理由\n"},
          CommandAnswer{kUnreachable, "", ""}})
        EXPECT_EQ(decodeAnswer(encodeAnswer(answer)), answer);
    // The longest history an answer carries, and a NUL a crash left in it, which is dropped.
    const std::string history(1050 * 81, 'h');
    EXPECT_EQ(decodeAnswer(encodeAnswer({kDone, history + std::string("\0x", 2), ""})),
              (CommandAnswer{kDone, history + "x", ""}));
    for (const std::string& wrong :
         {std::string(), std::string("0"), std::string("0\0out\0", 6), std::string("\0a\0b\0", 5),
          std::string("x\0a\0b\0", 6), std::string("0\0a\0b\0c\0", 8)})
        EXPECT_FALSE(decodeAnswer(wrong)) << wrong.size();
}
