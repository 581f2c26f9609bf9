#pragma once

#include "Control.h"
#include "Window.h"
#include "core/forms/FormDesign.h"

#include <functional>
#include <memory>

namespace ui {

// A field's edit control: it tells of each change of its text and of the focus leaving it.
class Edit : public Control {
public:
    Edit(HWND hwnd, std::function<void()> left) : Control(hwnd), left_(std::move(left)) {}
    void command(WORD notification) override;
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    std::function<void()> changed_;
    std::function<void()> left_;
};

// Up-down arrows that only report steps, +1 or -1.
class UpDown : public Control {
public:
    UpDown(HWND hwnd, std::function<void(int step)> stepped)
        : Control(hwnd), stepped_(std::move(stepped)) {}
    LRESULT notify(const NMHDR& header) override;

private:
    std::function<void(int)> stepped_;
};

// A numeric field under the spin-field rule: an edit with an up-down control beside it, both
// made in the given window.
class SpinEdit {
public:
    SpinEdit(Window& owner, const core::design::Spin& design, int arrowsWidth,
             HWND relativeTo = nullptr);
    SpinEdit(const SpinEdit&) = delete;
    SpinEdit& operator=(const SpinEdit&) = delete;

    int value() const;
    // Writes the text only when it changes, so the field reports a change only then.
    void setValue(int value);
    // Brings a typed value into range, as leaving the field does.
    void left();
    // From now on `changed` hears every change of the text: each keystroke, arrow and correction.
    void onChange(std::function<void()> changed) { edit_->onChange(std::move(changed)); }
    HWND edit() const { return edit_->hwnd(); }
    HWND arrows() const { return arrows_->hwnd(); }

private:
    core::SpinRange range_;
    std::unique_ptr<Edit> edit_;
    std::unique_ptr<UpDown> arrows_;
};

} // namespace ui
