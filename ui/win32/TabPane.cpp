#include "TabPane.h"

namespace ui {

namespace {

// The colour in the middle of the page, as the tab control paints it.
COLORREF sampledPageColour(HWND tab) {
    RECT whole;
    GetClientRect(tab, &whole);
    HDC screen = GetDC(tab);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, whole.right, whole.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    RECT page = whole;
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const COLORREF colour =
        GetPixel(memory, (page.left + page.right) / 2, (page.top + page.bottom) / 2);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(tab, screen);
    return colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
}

} // namespace

TabPane::TabPane(HWND tab) : tab_(tab) {
    refresh();
}

TabPane::~TabPane() {
    DeleteObject(brush_);
}

void TabPane::refresh() {
    const COLORREF colour = sampledPageColour(tab_);
    if (brush_ != nullptr && colour == colour_)
        return;
    DeleteObject(brush_);
    colour_ = colour;
    brush_ = CreateSolidBrush(colour_);
}

LRESULT TabPane::paint(HDC dc) const {
    SetBkColor(dc, colour_);
    return reinterpret_cast<LRESULT>(brush_);
}

} // namespace ui
