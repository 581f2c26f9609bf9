#pragma once

#include <QAccessible>

class QWidget;

namespace ui {

// The role a screen reader gives the widget (a window, a dialog), where the toolkit would call it
// a mere filler.
void setReaderRole(QWidget& widget, QAccessible::Role role);

} // namespace ui
