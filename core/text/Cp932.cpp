#include "Cp932.h"

#include <array>
#include <cstddef>
#include <memory>

namespace core {

namespace {

#include "Cp932Table.inc"

constexpr char32_t kEscapeBase = 0xDC00;
constexpr char16_t kNoCharacter = 0xFFFF;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads one code point of well-formed UTF-8, or U+DC00 + byte for a malformed byte.
char32_t takeUtf8(std::string_view& in) {
    auto b = static_cast<unsigned char>(in.front());
    std::size_t len = b < 0x80           ? 1
                      : (b >> 5) == 0x6  ? 2
                      : (b >> 4) == 0xE  ? 3
                      : (b >> 3) == 0x1E ? 4
                                         : 0;
    if (len == 0 || len > in.size()) {
        in.remove_prefix(1);
        return kEscapeBase + b;
    }
    char32_t c = len == 1 ? b : b & (0x7F >> len);
    for (std::size_t i = 1; i < len; ++i) {
        auto t = static_cast<unsigned char>(in[i]);
        if ((t & 0xC0) != 0x80) {
            in.remove_prefix(1);
            return kEscapeBase + b;
        }
        c = (c << 6) | (t & 0x3F);
    }
    in.remove_prefix(len);
    return c;
}

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char16_t doubleByteCharacter(unsigned char lead, unsigned char trail) {
    if (trail < kTrailFirst || trail >= kTrailFirst + kTrailCount)
        return kNoCharacter;
    const int row = lead <= 0x9F ? lead - kLeadFirst : lead - 0xE0 + (0x9F - kLeadFirst + 1);
    return kDoubleByteCharacters[row][trail - kTrailFirst];
}

// The bytes of each character from U+0080 on, as one number (a single byte is below 0x100), 0
// for none: the first pair that decodes to it, unless the exceptions say otherwise.
const std::array<unsigned short, 0x10000>& encodings() {
    static const auto table = [] {
        auto built = std::make_unique<std::array<unsigned short, 0x10000>>();
        built->fill(0);
        for (unsigned c = 0xFF61; c <= 0xFF9F; ++c)
            (*built)[c] = static_cast<unsigned short>(c - 0xFF61 + 0xA1);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = kTrailFirst; trail < kTrailFirst + kTrailCount; ++trail) {
                char16_t c = doubleByteCharacter(static_cast<unsigned char>(lead),
                                                 static_cast<unsigned char>(trail));
                if (c != kNoCharacter && (*built)[c] == 0)
                    (*built)[c] = static_cast<unsigned short>(lead << 8 | trail);
            }
        }
        for (const auto& exception : kEncodeExceptions)
            (*built)[exception.character] = exception.bytes;
        return built;
    }();
    return *table;
}

// The bytes of one character, or 0 when code page 932 cannot hold it.
unsigned encodeCharacter(char32_t c) {
    if (c < 0x80)
        return static_cast<unsigned>(c);
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF)
        return static_cast<unsigned>(c - kEscapeBase);
    return c < 0x10000 ? encodings()[c] : 0;
}

} // namespace

std::string decodeCp932(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF) {
            appendUtf8(out, 0xFF61 + (b - 0xA1));
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t c = doubleByteCharacter(b, trail);
            // A character mapped from two places keeps the bytes it came as: unless it is
            // written back the same, its bytes stay escaped.
            if (c != kNoCharacter && encodeCharacter(c) == (unsigned(b) << 8 | trail)) {
                appendUtf8(out, c);
                i += 2;
                continue;
            }
        }
        appendUtf8(out, kEscapeBase + b);
        ++i;
    }
    return out;
}

std::string encodeCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const char32_t c = takeUtf8(utf8);
        const unsigned bytes = encodeCharacter(c);
        if (bytes == 0 && c != 0) {
            out += '?';
            continue;
        }
        if (bytes >= 0x100)
            out += static_cast<char>(bytes >> 8);
        out += static_cast<char>(bytes & 0xFF);
    }
    return out;
}

bool isNonAsciiUtf8(std::string_view bytes) {
    bool nonAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        const std::size_t length = b >= 0xC2 && b <= 0xDF   ? 2
                                   : b >= 0xE0 && b <= 0xEF ? 3
                                   : b >= 0xF0 && b <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
        if ((b == 0xE0 && second < 0xA0) || (b == 0xED && second > 0x9F) ||
            (b == 0xF0 && second < 0x90) || (b == 0xF4 && second > 0x8F))
            return false;
        i += length;
    }
    return nonAscii;
}

std::string cp932Prefix(std::string_view utf8, std::size_t byteCount) {
    std::string_view rest = utf8;
    std::size_t used = 0;
    while (!rest.empty()) {
        std::string_view before = rest;
        char32_t c = takeUtf8(rest);
        bool singleByte = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ||
                          (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF);
        used += singleByte ? 1 : 2;
        if (used > byteCount)
            return std::string(utf8.substr(0, utf8.size() - before.size()));
    }
    return std::string(utf8);
}

} // namespace core
