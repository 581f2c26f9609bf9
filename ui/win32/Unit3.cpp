#include "Unit3.h"

#include "core/forms/SettingsDialog.h"

namespace ui {

namespace {

namespace d = core::design::form3;

constexpr int kArrowsWidth = 16;

bool isTicked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void tick(HWND box, bool ticked) {
    SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

TForm3::TForm3(core::SettingsDialog::Services services)
    : Window({L"TForm3", d::kTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_POPUP, 0,
              d::kClient, COLOR_BTNFACE},
             services.prompter),
      model_(std::move(services)) {}

void TForm3::build() {
    Label2 = add(L"STATIC", d::Label2.text, SS_LEFT | SS_NOPREFIX, d::Label2.place);
    paintText(Label2, colourRef(d::kLabel2Colour));
    GroupBox1 = add(L"BUTTON", d::GroupBox1.text, BS_GROUPBOX, d::GroupBox1.place);
    const DWORD checkBox = BS_AUTOCHECKBOX | WS_TABSTOP;
    CheckBox1 = add(L"BUTTON", d::CheckBox1.text, checkBox, d::CheckBox1.place, GroupBox1);
    CheckBox2 = add(L"BUTTON", d::CheckBox2.text, checkBox, d::CheckBox2.place, GroupBox1);
    CheckBox3 =
        add(L"BUTTON", d::CheckBox3.text, checkBox | BS_MULTILINE, d::CheckBox3.place, GroupBox1);
    addHint(CheckBox3, d::kCheckBox3Hint);
    SpinEdit1 = std::make_unique<SpinEdit>(*this, d::SpinEdit1, kArrowsWidth, GroupBox1);
    Label1 = add(L"STATIC", d::Label1.text, SS_LEFT | SS_NOPREFIX, d::Label1.place, GroupBox1);
    CheckBox4 = add(L"BUTTON", d::CheckBox4.text, checkBox, d::CheckBox4.place, GroupBox1);
    // Below the controls it frames, which would otherwise lie under it.
    SetWindowPos(GroupBox1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Enter and Escape press them through the dialog IDs.
    Button1 = add(L"BUTTON", d::Button1.text, BS_DEFPUSHBUTTON | WS_TABSTOP, d::Button1.place,
                  nullptr, 0, IDOK);
    Button2 = add(L"BUTTON", d::Button2.text, BS_PUSHBUTTON | WS_TABSTOP, d::Button2.place, nullptr,
                  0, IDCANCEL);
    onClick(Button1, [this] { Button1Click(); });
    onClick(Button2, [this] { Button2Click(); });
}

void TForm3::showDialog() {
    const bool opening = !isVisible();
    if (opening)
        FormShow();
    showInFront();
    // Opened afresh, the keyboard starts at the first switch.
    if (opening)
        SetFocus(CheckBox1);
}

void TForm3::FormShow() {
    centreOnPrimaryScreen();
    const core::SettingsDialogValues values = model_.FormShow();
    tick(CheckBox1, values.cpuHandOver);
    tick(CheckBox2, values.beep);
    tick(CheckBox3, values.hideTrayIcon);
    SpinEdit1->setValue(values.countdownSeconds);
    tick(CheckBox4, values.startAtLogon);
}

void TForm3::Button1Click() {
    // Enter leaves the focus in the field: correct it as a click on OK would.
    SpinEdit1->left();
    const core::SettingsDialogValues values{isTicked(CheckBox1), isTicked(CheckBox2),
                                            isTicked(CheckBox3), SpinEdit1->value(),
                                            isTicked(CheckBox4)};
    if (model_.Button1Click(values))
        ShowWindow(handle(), SW_HIDE);
}

void TForm3::Button2Click() {
    ShowWindow(handle(), SW_HIDE);
}

LRESULT TForm3::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Button2Click();
        return 0;
    }
    return handleDefault(message, wParam, lParam);
}

} // namespace ui
