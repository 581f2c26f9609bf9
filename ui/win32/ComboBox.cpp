#include "ComboBox.h"

#include "platform/windows/WideText.h"

namespace ui {

namespace {

// A drop-down's height includes its open list.
constexpr int kDropDownHeight = 200;

} // namespace

ComboBox::ComboBox(Window& owner, core::design::Rect place, const std::vector<std::string>& items)
    : Control(owner.add(WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                        {place.left, place.top, place.width, kDropDownHeight})) {
    for (const std::string& item : items)
        SendMessageW(hwnd(), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::toWide(item).c_str()));
}

void ComboBox::command(WORD notification) {
    if (notification == CBN_EDITCHANGE)
        typedInto_ = true;
    else if (notification == CBN_SELCHANGE)
        typedInto_ = false;
}

int ComboBox::index() const {
    return typedInto_ ? -1 : static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
}

void ComboBox::select(int index) {
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    typedInto_ = false;
}

std::string ComboBox::selectedItem() const {
    const int selected = index();
    return selected < 0 ? std::string() : itemText(selected);
}

void ComboBox::selectEqualItem(std::string_view text) {
    const auto count = static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item)
        if (itemText(item) == text) {
            select(item);
            return;
        }
}

std::string ComboBox::itemText(int index) const {
    const auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return platform::fromWide(text);
}

} // namespace ui
