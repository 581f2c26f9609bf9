#include "ProgramBox.h"

namespace ui {

ProgramBox::ProgramBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // A typed name is the field's text, not a new item of the list.
    setInsertPolicy(QComboBox::NoInsert);
}

void ProgramBox::showPopup() {
    emit opening();
    QComboBox::showPopup();
}

} // namespace ui
