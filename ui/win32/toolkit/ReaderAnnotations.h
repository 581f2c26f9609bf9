#pragma once

#include "platform/windows/Win32.h"

#include <string_view>

struct IAccPropServices;

namespace ui {

// What a screen reader hears of a window's controls beyond their own texts: names for fields
// without a caption, and a live line whose announcements are said as they come. Without the
// system's annotation service (no COM on the thread) the controls keep their own names.
class ReaderAnnotations {
public:
    ReaderAnnotations();
    ~ReaderAnnotations();
    ReaderAnnotations(const ReaderAnnotations&) = delete;
    ReaderAnnotations& operator=(const ReaderAnnotations&) = delete;

    void name(HWND control, std::string_view name);
    // An empty description gives the control its own back.
    void describe(HWND control, std::string_view description);
    // The control's role as readers name it (ROLE_SYSTEM_DIALOG ...).
    void setRole(HWND control, LONG role);
    // An item of a list view (child 1 is its first row).
    void nameItem(HWND control, LONG child, std::string_view name);
    // The control becomes a polite live region.
    void makeLive(HWND control);
    // The live control's name becomes the text, and readers are told it changed.
    void announce(HWND control, std::string_view text);

private:
    IAccPropServices* service_ = nullptr;
};

} // namespace ui
