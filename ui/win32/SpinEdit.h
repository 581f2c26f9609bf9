#pragma once

#include "platform/windows/Win32.h"

namespace ui {

// A numeric field: an edit with an up-down control beside it. Its value is the integer typed,
// or the minimum when the text is no integer; values set by the program and the arrows stay in
// range, and leaving the field brings a typed value into range.
class SpinEdit {
public:
    SpinEdit(HWND edit, HWND arrows, int minimum, int maximum);

    int value() const;
    // Writes the text only when it changes, so the field reports a change only then.
    void setValue(int value);
    HWND edit() const { return edit_; }
    HWND arrows() const { return arrows_; }

    // EN_KILLFOCUS of the edit.
    void left();
    // UDN_DELTAPOS of the arrows; the answer keeps the arrows' own position unchanged.
    LRESULT stepped(const NMUPDOWN& step);

private:
    HWND edit_;
    HWND arrows_;
    int minimum_;
    int maximum_;
};

} // namespace ui
