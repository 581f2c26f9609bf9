#include "FocusRule.h"

namespace ui {

namespace {

constexpr UINT_PTR kSubclass = 1;

LRESULT CALLBACK handOnFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    if (message == WM_SETFOCUS) {
        const auto previous = reinterpret_cast<HWND>(wParam);
        SetFocus(previous != nullptr && previous != button ? previous : GetParent(button));
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(button, handOnFocus, kSubclass);
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

void keepFocusElsewhere(HWND button) {
    SetWindowSubclass(button, handOnFocus, kSubclass, 0);
}

} // namespace ui
