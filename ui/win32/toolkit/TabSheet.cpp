#include "TabSheet.h"

namespace ui {

namespace {

// The colour in the middle of the page, as the tab control paints it.
COLORREF sampledPageColour(HWND tab) {
    RECT whole;
    GetClientRect(tab, &whole);
    WindowDc screen(tab);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), whole.right, whole.bottom));
    COLORREF colour = CLR_INVALID;
    if (memory && bitmap) {
        SelectedObject selected(memory.get(), bitmap.get());
        SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        RECT page = whole;
        SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        colour = GetPixel(memory.get(), (page.left + page.right) / 2, (page.top + page.bottom) / 2);
    }
    return colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
}

} // namespace

TabSheet::TabSheet(HWND tab, core::Prompter& prompter)
    : Window({L"TTabSheet",
              "",
              WS_CHILD | WS_CLIPSIBLINGS,
              WS_EX_CONTROLPARENT,
              {0, 0},
              COLOR_BTNFACE},
             prompter),
      tab_(tab) {}

void TabSheet::placeOnTab() {
    RECT area;
    GetWindowRect(tab_, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(tab_), reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    SetWindowPos(handle(), HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
    sampleColour();
}

void TabSheet::sampleColour() {
    const COLORREF colour = sampledPageColour(tab_);
    if (brush_ && colour == colour_)
        return;
    colour_ = colour;
    brush_.reset(CreateSolidBrush(colour_));
    InvalidateRect(handle(), nullptr, TRUE);
}

LRESULT TabSheet::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(handle(), &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush_.get());
        return 1;
    }
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        sampleColour();
        return handleDefault(message, wParam, lParam);
    default:
        return handleDefault(message, wParam, lParam);
    }
}

} // namespace ui
