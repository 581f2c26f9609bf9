#pragma once

#include "toolkit/Control.h"
#include "toolkit/Window.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {

// An editable drop-down whose list is filled afresh each time it opens.
class ProgramBox : public Control {
public:
    ProgramBox(Window& owner, core::design::Rect place, std::function<void()> opening);

    // The field's text, typed or picked.
    std::string text() const;
    void setText(const std::string& text);
    // The list's items; the field's text stays.
    void setItems(const std::vector<std::string>& items);
    void command(WORD notification) override;

private:
    std::function<void()> opening_;
};

} // namespace ui
