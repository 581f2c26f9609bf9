#include "Unit4.h"

namespace ui {

namespace {

namespace d = core::design::form4;

} // namespace

TForm4::TForm4(core::Prompter& prompter)
    : Window(
          {L"TForm4", d::kTitle, WS_CAPTION | WS_SYSMENU | WS_POPUP, 0, d::kClient, COLOR_BTNFACE},
          prompter) {}

void TForm4::buildControls() {
    if (Button1)
        return;
    ListView1 = std::make_unique<ListView>(
        add(WC_LISTVIEWW, "",
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
            d::ListView1, nullptr, WS_EX_CLIENTEDGE));
    SendMessageW(ListView1->hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    readers_.name(ListView1->hwnd(), core::tr(d::kListName));
    for (const d::Column& column : d::kColumns)
        ListView1->addColumn(column.caption, scale(core::design::widened(column.width)));
    Label1 = std::make_unique<Label>(add(L"STATIC", "", SS_LEFT | SS_NOPREFIX, d::Label1));
    // Enter and Escape both close it, through the dialog ID.
    Button1 =
        std::make_unique<Button>(add(L"BUTTON", d::Button1.text, BS_DEFPUSHBUTTON | WS_TABSTOP,
                                     d::Button1.place, nullptr, 0, IDCANCEL),
                                 [this] { ShowWindow(handle(), SW_HIDE); });
}

void TForm4::showList(const std::vector<core::PolicyBookingLine>& lines,
                      const std::string& limits) {
    buildControls();
    std::vector<std::vector<std::string>> rows;
    for (const core::PolicyBookingLine& line : lines)
        rows.push_back({line.name, line.when, line.time, line.action, line.next});
    ListView1->setRows(rows);
    Label1->setText(limits);
    const bool opening = !isVisible();
    if (opening)
        centreOnPrimaryScreen();
    showInFront();
    if (opening)
        SetFocus(ListView1->hwnd());
}

LRESULT TForm4::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(handle(), SW_HIDE);
        return 0;
    }
    return handleDefault(message, wParam, lParam);
}

} // namespace ui
