#include "CommaText.h"

namespace core {

namespace {

constexpr char kDelimiter = ',';
constexpr char kQuote = '"';

bool isBlank(char c) {
    return c >= 0x01 && c <= 0x20;
}

void skipBlanks(std::string_view& s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
}

// A quoted field runs to the next lone quote; a doubled quote inside stands for one. Without a
// closing quote it runs to the end of the line.
std::string takeQuoted(std::string_view& s) {
    std::string field;
    s.remove_prefix(1);
    while (!s.empty()) {
        char c = s.front();
        s.remove_prefix(1);
        if (c != kQuote) {
            field += c;
        } else if (!s.empty() && s.front() == kQuote) {
            field += kQuote;
            s.remove_prefix(1);
        } else {
            break;
        }
    }
    return field;
}

std::string takePlain(std::string_view& s) {
    std::size_t n = 0;
    while (n < s.size() && static_cast<unsigned char>(s[n]) > 0x20 && s[n] != kDelimiter)
        ++n;
    std::string field(s.substr(0, n));
    s.remove_prefix(n);
    return field;
}

} // namespace

std::string quoteCommaTextField(std::string_view field) {
    bool plain = true;
    for (char c : field)
        plain = plain && static_cast<unsigned char>(c) > 0x20 && c != kDelimiter && c != kQuote;
    if (plain)
        return std::string(field);
    std::string quoted(1, kQuote);
    for (char c : field) {
        quoted += c;
        if (c == kQuote)
            quoted += kQuote;
    }
    quoted += kQuote;
    return quoted;
}

std::vector<std::string> splitCommaText(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    skipBlanks(line);
    while (!line.empty()) {
        fields.push_back(line.front() == kQuote ? takeQuoted(line) : takePlain(line));
        skipBlanks(line);
        if (!line.empty() && line.front() == kDelimiter) {
            if (line.size() == 1)
                fields.emplace_back();
            line.remove_prefix(1);
            skipBlanks(line);
        }
    }
    return fields;
}

} // namespace core
