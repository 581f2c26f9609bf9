#include "Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace core {

namespace {

constexpr char32_t kEscapeBase = 0xDC00;

// One converter per direction for the whole process; iconv_open loads a gconv module and is far
// too slow to call for every text.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false at a sequence it cannot convert, with `in`
    // pointing at it.
    bool convert(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && err != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

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

} // namespace

namespace {

std::string decodeQuick(std::string_view bytes) {
    static Converter toUtf8("UTF-8", "CP932");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!toUtf8.convert(bytes, out)) {
        appendUtf8(out, kEscapeBase + static_cast<unsigned char>(bytes.front()));
        bytes.remove_prefix(1);
    }
    return out;
}

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// U+DC80 to U+DCFF, the escaped bytes, begin with ED B2 or ED B3 in UTF-8.
bool hasEscape(std::string_view utf8) {
    return utf8.find("\xED\xB2") != std::string_view::npos ||
           utf8.find("\xED\xB3") != std::string_view::npos;
}

// Character by character: a character that would be written back as other bytes (code page 932
// maps some characters from two places) is kept as escaped bytes instead.
std::string decodeExactly(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        std::size_t width = isLeadByte(static_cast<unsigned char>(bytes.front())) ? 2 : 1;
        std::string_view unit = bytes.substr(0, width);
        std::string decoded = decodeQuick(unit);
        if (!hasEscape(decoded) && encodeCp932(decoded) == unit) {
            out += decoded;
            bytes.remove_prefix(unit.size());
        } else {
            appendUtf8(out, kEscapeBase + static_cast<unsigned char>(bytes.front()));
            bytes.remove_prefix(1);
        }
    }
    return out;
}

} // namespace

std::string decodeCp932(std::string_view bytes) {
    std::string out = decodeQuick(bytes);
    if (encodeCp932(out) == bytes)
        return out;
    return decodeExactly(bytes);
}

std::string encodeCp932(std::string_view utf8) {
    static Converter toCp932("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    while (!toCp932.convert(utf8, out)) {
        char32_t c = takeUtf8(utf8);
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF)
            out += static_cast<char>(c - kEscapeBase);
        else if (c == 0x301C)
            out += "\x81\x60";
        else
            out += '?';
    }
    return out;
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
