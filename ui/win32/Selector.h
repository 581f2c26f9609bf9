#pragma once

#include "Window.h"

#include <string>
#include <vector>

namespace ui {

// A drop-down list with an edit field. Only a picked item counts: text typed into the field
// leaves no item selected until one is picked again.
class Selector {
public:
    Selector(Window& owner, core::design::Rect place, const std::vector<std::string>& items);
    ~Selector() { owner_.forget(box_); }
    Selector(const Selector&) = delete;
    Selector& operator=(const Selector&) = delete;

    HWND handle() const { return box_; }
    // The selected item's index, -1 for none.
    int index() const;
    void select(int index);
    // The selected item's text, empty for none.
    std::string selectedItem() const;
    // Selects the first item equal to the text; with none, the selection stays.
    void selectEqualItem(std::string_view text);

private:
    std::string itemText(int index) const;

    Window& owner_;
    HWND box_;
    bool typedInto_ = false;
};

} // namespace ui
