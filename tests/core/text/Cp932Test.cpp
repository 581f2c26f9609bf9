#include "core/text/Cp932.h"

#include <gtest/gtest.h>
#include <optional>
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

using namespace core;

TEST(Cp932, KnownBytesAndWaveDashes) {
    EXPECT_EQ(encodeCp932("毎週月～金"), "\x96\x88\x8F\x54\x8C\x8E\x81\x60\x8B\xE0");
    EXPECT_EQ(decodeCp932("\x96\x88\x8F\x54\x8C\x8E\x81\x60\x8B\xE0"), "毎週月～金");
    EXPECT_EQ(encodeCp932("月\u301C金"), encodeCp932("月～金"))
        << "the wave dash typed on Linux is stored like the full-width tilde";
    EXPECT_EQ(encodeCp932("ﾊﾞ"), "\xCA\xDE") << "half-width katakana are one byte each";
}

#if __has_include(<iconv.h>)
// glibc's converter, the reference the codec's tables were made from.
class Glibc {
public:
    Glibc(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Glibc() { iconv_close(cd_); }
    std::optional<std::string> convert(std::string_view bytes) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char out[16];
        char* dst = out;
        std::size_t dstLeft = sizeof out;
        if (iconv(cd_, &in, &inLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(out, sizeof out - dstLeft);
    }

private:
    iconv_t cd_;
};

TEST(Cp932, SameAsGlibcForEveryCharacterAndEveryPairOfBytes) {
    Glibc toUtf8("UTF-8", "CP932");
    Glibc toCp932("CP932", "UTF-8");
    int differences = 0;
    for (unsigned n = 0; n < 0x10000 + 0x100; ++n) {
        std::string bytes = n < 0x100 ? std::string(1, static_cast<char>(n))
                                      : std::string{static_cast<char>((n - 0x100) >> 8),
                                                    static_cast<char>(n & 0xFF)};
        auto glibc = toUtf8.convert(bytes);
        // What glibc reads and writes back alike, the codec reads alike; anything else it keeps.
        if (glibc && toCp932.convert(*glibc) == bytes)
            differences += decodeCp932(bytes) != *glibc;
        else
            differences += encodeCp932(decodeCp932(bytes)) != bytes;
    }
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string utf8;
        if (c < 0x80)
            utf8 += static_cast<char>(c);
        else if (c < 0x800)
            utf8 += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        else
            utf8 +=
                {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
        differences += encodeCp932(utf8) != toCp932.convert(utf8).value_or("?");
    }
    EXPECT_EQ(differences, 0);
}
#endif

TEST(Cp932, InvalidBytesSurviveARoundTrip) {
    const std::string bytes = "a\x81\x0A\xFF\xA0z\x81"; // broken pair, unused bytes, cut-off lead
    EXPECT_EQ(encodeCp932(decodeCp932(bytes)), bytes);
    EXPECT_EQ(encodeCp932("😀"), "?");
    EXPECT_EQ(cp932Prefix("ﾊﾞ分", 2), "ﾊﾞ");
    EXPECT_EQ(cp932Prefix("分分", 3), "分");
}

TEST(Cp932, CharactersMappedFromTwoPlacesKeepTheirBytes) {
    // 0x8790 and 0x81E0 are both U+2252; 0xEEEF and 0xFA40 both U+2170.
    for (std::string bytes : {std::string("\x87\x90"), std::string("\x81\xE0"),
                              std::string("\xEE\xEF\xFA\x40"), std::string(23, '\xEE') + "\xDF"})
        EXPECT_EQ(encodeCp932(decodeCp932(bytes)), bytes);
    EXPECT_EQ(decodeCp932("\x81\xE0"), "≒");
}
