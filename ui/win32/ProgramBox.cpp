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

void ProgramBox::setText(const std::string& text) {
    setControlText(hwnd(), text);
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
    // The field takes a picked item's text only after telling of it, so that its window would
    // read the text before.
    if (notification == CBN_SELCHANGE) {
        const auto index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
        const auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (index >= 0 && length >= 0) {
            std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(item.data()));
            item.resize(static_cast<std::size_t>(length));
            SetWindowTextW(hwnd(), item.c_str());
        }
    }
}

} // namespace ui
