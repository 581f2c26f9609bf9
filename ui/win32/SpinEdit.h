#pragma once

#include "Window.h"
#include "core/forms/FormDesign.h"

#include <functional>

namespace ui {

// A numeric field under the spin-field rule: an edit with an up-down control beside it, both
// made in the given window, whose notifications come here.
class SpinEdit {
public:
    // `changed` hears every change of the text: each keystroke, arrow and correction.
    SpinEdit(Window& owner, const core::design::Spin& design, int arrowsWidth,
             HWND relativeTo = nullptr, std::function<void()> changed = {});
    ~SpinEdit();
    SpinEdit(const SpinEdit&) = delete;
    SpinEdit& operator=(const SpinEdit&) = delete;

    int value() const;
    // Writes the text only when it changes, so the field reports a change only then.
    void setValue(int value);
    // Brings a typed value into range, as leaving the field does.
    void left();
    HWND edit() const { return edit_; }
    HWND arrows() const { return arrows_; }

private:
    Window& owner_;
    core::SpinRange range_;
    HWND edit_;
    HWND arrows_;
};

} // namespace ui
