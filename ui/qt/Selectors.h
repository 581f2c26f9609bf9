#pragma once

#include <QStringList>
#include <string>

class QComboBox;
class QWidget;

namespace ui {

// A drop-down box with an edit field. Only a picked item counts: typing leaves no item selected,
// though Enter on a text equal to an item picks that item.
QComboBox* makeSelector(QWidget* parent, const QStringList& items);

// The text of the selected item, or the empty text when no item is selected.
std::string selectedItem(const QComboBox* box);

// Selects the first item equal to the text; with none, the selection stays.
void selectEqualItem(QComboBox* box, const std::string& text);

} // namespace ui
