#pragma once

class QWidget;

namespace ui {

// Moves a top-level window to the centre of the primary screen, inside its work area.
void centreOnPrimaryScreen(QWidget& window);

} // namespace ui
