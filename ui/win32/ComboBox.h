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

    void command(WORD notification) override;

private:
    bool typedInto_ = false;
};

} // namespace ui
