#pragma once

#include "Control.h"
#include "Window.h"

#include <string>
#include <vector>

namespace ui {

// A drop-down list with an edit field. Only a picked item counts: text typed into the field
// leaves no item selected until one is picked again. A list only offers no field.
class ComboBox : public Control {
public:
    enum class Field { Editable, ListOnly };
    ComboBox(Window& owner, core::design::Rect place, const std::vector<std::string>& items,
             Field field = Field::Editable);

    // The selected item's index, -1 for none.
    int index() const;
    void select(int index);

    void command(WORD notification) override;

private:
    bool typedInto_ = false;
};

} // namespace ui
