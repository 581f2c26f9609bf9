#include "ComboBox.h"

#include "platform/windows/WideText.h"

namespace ui {

namespace {

// A drop-down's height includes its open list.
constexpr int kDropDownHeight = 200;

} // namespace

ComboBox::ComboBox(Window& owner, core::design::Rect place, const std::vector<std::string>& items,
                   Field field)
    : Control(
          owner.add(WC_COMBOBOXW, "",
                    (field == Field::Editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) |
                        WS_VSCROLL | WS_TABSTOP,
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

} // namespace ui
