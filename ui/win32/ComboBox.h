#pragma once

#include "Control.h"
#include "Window.h"

#include <string>
#include <vector>

namespace ui {

// A drop-down list with an edit field. Only a picked item counts: text typed into the field
// leaves no item selected until one is picked again.
class ComboBox : public Control {
public:
    ComboBox(Window& owner, core::design::Rect place, const std::vector<std::string>& items);

    // The selected item's index, -1 for none.
    int index() const;
    void select(int index);
    // The selected item's text, empty for none.
    std::string selectedItem() const;
    // Selects the first item equal to the text; with none, the selection stays.
    void selectEqualItem(std::string_view text);

    void command(WORD notification) override;

private:
    std::string itemText(int index) const;

    bool typedInto_ = false;
};

} // namespace ui
