#pragma once

#include <optional>
#include <string_view>

namespace core {

// A numeric field with arrows. Unlike a plain spin box it lets the user type a value outside
// its range: the value is whatever integer the field holds (the minimum when it holds none)
// until the user leaves the field, which brings it into range. Values set by the program and
// the arrows stay within the range.
struct SpinRange {
    int minimum;
    int maximum;

    int value(std::string_view text) const;
    int clamped(int value) const;
    // The value to write on leaving the field, or nothing when its text shows an in-range value
    // already.
    std::optional<int> correctionOnLeaving(std::string_view text) const;
    // The value after the arrows moved it by `steps`.
    int stepped(std::string_view text, int steps) const;
};

} // namespace core
