#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace ui {

// Top-left corner that centres a window of the given outer size: whole halves, truncated.
QPoint centredPosition(QSize screen, QSize outer);

// Moves a top-level window to the centre of the primary screen.
void centreOnPrimaryScreen(QWidget& window);

} // namespace ui
