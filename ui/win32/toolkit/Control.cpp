#include "Control.h"

#include "core/lang/Catalogue.h"
#include "platform/windows/WideText.h"

namespace ui {

namespace {

// A property of the control's window rather than its user data, which other windows (the
// program's own among them) use for themselves.
constexpr const wchar_t* kObject = L"Brindlewhistmoore.Control";

} // namespace

Control::Control(HWND hwnd) : hwnd_(hwnd) {
    SetPropW(hwnd_, kObject, this);
}

Control::~Control() {
    // A control that outlives its object must not reach it again.
    if (IsWindow(hwnd_) && of(hwnd_) == this)
        RemovePropW(hwnd_, kObject);
}

Control* Control::of(HWND control) {
    return control == nullptr ? nullptr : static_cast<Control*>(GetPropW(control, kObject));
}

void Label::setText(const std::string& text) {
    if (shown_ == text)
        return;
    shown_ = text;
    SetWindowTextW(hwnd(), platform::toWide(text).c_str());
}

std::string TextField::text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()))));
    return platform::fromWide(text);
}

void TextField::setText(const std::string& text) {
    SetWindowTextW(hwnd(), platform::toWide(text).c_str());
}

void TabControl::addTab(std::string_view caption) {
    std::wstring text = platform::toWide(core::tr(caption));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(hwnd(), TCM_INSERTITEMW,
                 static_cast<WPARAM>(SendMessageW(hwnd(), TCM_GETITEMCOUNT, 0, 0)),
                 reinterpret_cast<LPARAM>(&item));
}

void ListView::addColumn(std::string_view caption, int width) {
    std::wstring text = platform::toWide(core::tr(caption));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = text.data();
    // After the columns there are.
    SendMessageW(hwnd(), LVM_INSERTCOLUMNW,
                 static_cast<WPARAM>(Header_GetItemCount(ListView_GetHeader(hwnd()))),
                 reinterpret_cast<LPARAM>(&column));
}

void ListView::setRows(const std::vector<std::vector<std::string>>& rows) {
    SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            std::wstring text = platform::toWide(rows[row][column]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.iSubItem = static_cast<int>(column);
            item.pszText = text.data();
            SendMessageW(hwnd(), column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
}

} // namespace ui
