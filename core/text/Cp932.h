#pragma once

#include <string>
#include <string_view>

namespace core {

// Code page 932 <-> UTF-8. Lossless for any byte string: a byte that does not start a valid
// character decodes to U+DC00 + byte and encodes back to that byte, so a hand-edited file
// survives a load and a save unchanged.
std::string decodeCp932(std::string_view bytes);
// U+301C (the wave dash that Linux input methods type) is written as 0x81 0x60, like U+FF5E.
// A character that code page 932 cannot hold is written as "?".
std::string encodeCp932(std::string_view utf8);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates) and at least one
// of them is not ASCII: a text in code page 932 with any Japanese in it never is.
bool isNonAsciiUtf8(std::string_view bytes);

// The leading whole characters of a UTF-8 text that fit in `byteCount` code page 932 bytes: the
// texts of the reservation table are measured in those bytes.
std::string cp932Prefix(std::string_view utf8, std::size_t byteCount);

} // namespace core
