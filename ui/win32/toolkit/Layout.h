#pragma once

#include "Handles.h"
#include "core/forms/FormDesign.h"
#include "platform/windows/Win32.h"

#include <string>
#include <string_view>
#include <vector>

namespace ui {

inline constexpr int kDesignDpi = 96;

// The program's font face in the Japanese character set, the given pixels high at 96 dpi, scaled.
FontHandle programFont(int dpi, int designHeight);

inline COLORREF colourRef(core::design::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// Places a window's controls by their design geometry, as wide as the language wants it and
// scaled to the window's DPI, in the program's font, and places them again when the window moves
// to a monitor of another DPI.
class Layout {
public:
    int scale(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
    int dpi() const { return dpi_; }
    HFONT font() const { return font_.get(); }
    // Inside a group box a place is relative to the box; anything else relative to the window's
    // client area.
    void place(HWND control, core::design::Rect design, HWND relativeTo = nullptr);
    // The program's font at the DPI, every control in it and in its place.
    void setDpi(int dpi);

private:
    struct Entry {
        HWND control;
        core::design::Rect design;
        HWND relativeTo;
    };
    void apply(const Entry& entry) const;

    std::vector<Entry> entries_;
    int dpi_ = kDesignDpi;
    FontHandle font_;
};

// A child control with its ID and its text given in UTF-8; throws when the system cannot make
// it.
HWND makeControl(HWND parent, int id, const wchar_t* windowClass, std::string_view text,
                 DWORD style, DWORD extendedStyle = 0);
std::string controlText(HWND control);
void setControlText(HWND control, std::string_view text);

} // namespace ui
