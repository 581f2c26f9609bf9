#pragma once

#include <QStringList>
#include <string>

class QComboBox;
class QWidget;

namespace ui {

// A drop-down box with an edit field. Only a picked item counts: typing leaves no item selected,
// though Enter on a text equal to an item picks that item.
QComboBox* makeSelector(QWidget* parent, const QStringList& items);

} // namespace ui
