#pragma once

#include <QFont>

namespace ui {

// The windows' font, 12 px, with metric-compatible fallbacks found on Linux desktops.
QFont programFont();

} // namespace ui
