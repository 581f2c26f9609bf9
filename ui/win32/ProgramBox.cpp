#include "ProgramBox.h"

#include "platform/windows/WideText.h"
#include "toolkit/Layout.h"

namespace ui {

namespace {

// A drop-down's height includes its open list.
constexpr int kDropDownHeight = 200;

} // namespace

ProgramBox::ProgramBox(Window& owner, core::design::Rect place, std::function<void()> opening)
    : Control(owner.add(WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                        {place.left, place.top, place.width, kDropDownHeight})),
      opening_(std::move(opening)) {}

std::string ProgramBox::text() const {
    return controlText(hwnd());
}

void ProgramBox::setItems(const std::vector<std::string>& items) {
    const std::string typed = text();
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageW(hwnd(), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::toWide(item).c_str()));
    setControlText(hwnd(), typed);
}

void ProgramBox::command(WORD notification) {
    if (notification == CBN_DROPDOWN && opening_)
        opening_();
}

} // namespace ui
