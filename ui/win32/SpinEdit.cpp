#include "SpinEdit.h"

#include "Layout.h"
#include "core/Settings.h"

#include <algorithm>
#include <climits>
#include <string>

namespace ui {

SpinEdit::SpinEdit(HWND edit, HWND arrows, int minimum, int maximum)
    : edit_(edit), arrows_(arrows), minimum_(minimum), maximum_(maximum) {
    // The arrows only report steps; the field's value lives in its text. A wide range of their
    // own keeps them from stopping at a bound.
    SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN / 2), INT_MAX / 2);
    SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
}

int SpinEdit::value() const {
    return core::decimalOr(controlText(edit_), minimum_);
}

void SpinEdit::setValue(int value) {
    const std::string text = std::to_string(std::clamp(value, minimum_, maximum_));
    if (controlText(edit_) != text)
        setControlText(edit_, text);
}

void SpinEdit::left() {
    const int current = value();
    const int inRange = std::clamp(current, minimum_, maximum_);
    if (inRange != current || controlText(edit_) != std::to_string(current))
        setValue(inRange);
}

LRESULT SpinEdit::stepped(const NMUPDOWN& step) {
    setValue(value() + (step.iDelta > 0 ? 1 : -1));
    SendMessageW(edit_, EM_SETSEL, 0, -1);
    return TRUE;
}

} // namespace ui
