#pragma once

#include "platform/windows/Win32.h"

namespace ui {

// A button that, pressed, leaves the keyboard focus where it was, as a speed button does: a
// field being typed in still loses it for a moment and is corrected. The rule goes with the
// button.
void keepFocusElsewhere(HWND button);

} // namespace ui
