#pragma once

#include "platform/windows/Win32.h"

#include <string>
#include <string_view>
#include <vector>

namespace ui {

inline constexpr int kDesignDpi = 96;
inline constexpr int kFontHeight = 12;

// "ＭＳ Ｐゴシック" in the Japanese character set, the given pixels high at 96 dpi, scaled.
HFONT programFont(int dpi, int designHeight);

// A control's place as designed, in pixels at 96 dpi. A width of 0 makes a label as wide and
// high as its text.
struct DesignRect {
    int left;
    int top;
    int width;
    int height;
};

// Places a window's controls by their design geometry scaled to the window's DPI, in the
// program's font, and places them again when the window moves to a monitor of another DPI.
class Layout {
public:
    Layout() = default;
    ~Layout();
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    int scale(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
    // Controls inside a tab control lie in its display area, inside a group box relative to
    // the box; anything else relative to the window's client area.
    void place(HWND control, DesignRect design, HWND relativeTo = nullptr);
    // The program's font at the DPI, every control in it and in its place.
    void setDpi(int dpi);

private:
    struct Entry {
        HWND control;
        DesignRect design;
        HWND relativeTo;
    };
    void apply(const Entry& entry) const;
    POINT origin(HWND relativeTo) const;

    std::vector<Entry> entries_;
    int dpi_ = kDesignDpi;
    HFONT font_ = nullptr;
};

// A child control with its text given in UTF-8.
HWND makeControl(HWND parent, const wchar_t* windowClass, std::string_view text, DWORD style,
                 DWORD extendedStyle = 0);
std::string controlText(HWND control);
void setControlText(HWND control, std::string_view text);

} // namespace ui
