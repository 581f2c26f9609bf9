#pragma once

#include "Handles.h"
#include "Window.h"

namespace ui {

// A page of a tab control: a child window over the tab's display area that holds the page's
// controls and shows and hides with its tab. It paints the page's own colour, with visual styles
// lighter than the window's, behind itself and its controls' texts.
class TabSheet : public Window {
public:
    TabSheet(HWND tab, core::Prompter& prompter);

    // Over the tab's display area, above the tab control.
    void placeOnTab();

private:
    COLORREF backgroundColour() const override { return colour_; }
    HBRUSH backgroundBrush() const override { return brush_.get(); }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Samples the page as the tab control paints it.
    void sampleColour();

    HWND tab_;
    COLORREF colour_ = 0;
    BrushHandle brush_;
};

} // namespace ui
