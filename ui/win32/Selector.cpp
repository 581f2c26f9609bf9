#include "Selector.h"

#include "platform/windows/WideText.h"

namespace ui {

namespace {

// A drop-down's height includes its open list.
constexpr int kDropDownHeight = 200;

} // namespace

Selector::Selector(Window& owner, core::design::Rect place, const std::vector<std::string>& items)
    : owner_(owner),
      box_(owner.add(WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                     {place.left, place.top, place.width, kDropDownHeight})) {
    for (const std::string& item : items)
        SendMessageW(box_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::toWide(item).c_str()));
    owner.onCommand(box_, [this](WORD notification) {
        if (notification == CBN_EDITCHANGE)
            typedInto_ = true;
        else if (notification == CBN_SELCHANGE)
            typedInto_ = false;
    });
}

int Selector::index() const {
    return typedInto_ ? -1 : static_cast<int>(SendMessageW(box_, CB_GETCURSEL, 0, 0));
}

void Selector::select(int index) {
    SendMessageW(box_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    typedInto_ = false;
}

std::string Selector::selectedItem() const {
    const int selected = index();
    return selected < 0 ? std::string() : itemText(selected);
}

void Selector::selectEqualItem(std::string_view text) {
    const auto count = static_cast<int>(SendMessageW(box_, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item)
        if (itemText(item) == text) {
            select(item);
            return;
        }
}

std::string Selector::itemText(int index) const {
    const auto length = SendMessageW(box_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(box_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return platform::fromWide(text);
}

} // namespace ui
