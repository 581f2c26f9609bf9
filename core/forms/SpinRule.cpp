#include "SpinRule.h"

#include "core/base/Settings.h"

#include <algorithm>
#include <string>

namespace core {

int SpinRange::value(std::string_view text) const {
    return decimalOr(text, minimum);
}

int SpinRange::clamped(int value) const {
    return std::clamp(value, minimum, maximum);
}

std::optional<int> SpinRange::correctionOnLeaving(std::string_view text) const {
    const int current = value(text);
    const int inRange = clamped(current);
    if (inRange == current && text == std::to_string(current))
        return std::nullopt;
    return inRange;
}

int SpinRange::stepped(std::string_view text, int steps) const {
    return clamped(value(text) + steps);
}

} // namespace core
