#pragma once

#include "platform/windows/Win32.h"

namespace ui {

// The background of a tab control's page, for the controls that lie on it: with visual styles
// the page is lighter than the window, and a control painting the window's colour would show
// as a grey patch.
class TabPane {
public:
    explicit TabPane(HWND tab);
    TabPane(const TabPane&) = delete;
    TabPane& operator=(const TabPane&) = delete;
    ~TabPane();

    // Samples the page again, after a change of theme or colours.
    void refresh();
    // For WM_CTLCOLORSTATIC and WM_CTLCOLORBTN of a control on the page.
    LRESULT paint(HDC dc) const;

private:
    HWND tab_;
    COLORREF colour_ = 0;
    HBRUSH brush_ = nullptr;
};

} // namespace ui
