#include "Unit3.h"

#include "core/forms/SettingsDialog.h"

namespace ui {

namespace {

namespace d = core::design::form3;

constexpr int kArrowsWidth = 16;

} // namespace

TForm3::TForm3(core::SettingsDialog::Services services)
    : Window({L"TForm3", d::kTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_POPUP, 0,
              d::kClient, COLOR_BTNFACE},
             services.prompter),
      model_(std::move(services)) {}

void TForm3::buildControls() {
    if (Button1)
        return;
    Label2 = std::make_unique<Label>(
        add(L"STATIC", d::Label2.text, SS_LEFT | SS_NOPREFIX, d::Label2.place));
    paintText(Label2->hwnd(), colourRef(d::kLabel2Colour));
    GroupBox1 = std::make_unique<GroupBox>(
        add(L"BUTTON", d::GroupBox1.text, BS_GROUPBOX, d::GroupBox1.place));
    HWND frame = GroupBox1->hwnd();
    const DWORD checkBox = BS_AUTOCHECKBOX | WS_TABSTOP;
    const auto addCheckBox = [&](const core::design::Control& design, DWORD style) {
        return std::make_unique<Button>(
            add(L"BUTTON", design.text, checkBox | style, design.place, frame));
    };
    CheckBox1 = addCheckBox(d::CheckBox1, 0);
    CheckBox2 = addCheckBox(d::CheckBox2, 0);
    CheckBox3 = addCheckBox(d::CheckBox3, BS_MULTILINE);
    addHint(CheckBox3->hwnd(), d::kCheckBox3Hint);
    // Each field's label comes just before it: a screen reader names the field by it.
    Label1 = std::make_unique<Label>(
        add(L"STATIC", d::Label1.text, SS_LEFT | SS_NOPREFIX, d::Label1.place, frame));
    SpinEdit1 = std::make_unique<SpinEdit>(*this, d::SpinEdit1, kArrowsWidth, frame);
    CheckBox4 = addCheckBox(d::CheckBox4, 0);
    CheckBox5 = addCheckBox(d::CheckBox5, 0);
    Label3 = std::make_unique<Label>(
        add(L"STATIC", d::Label3.text, SS_LEFT | SS_NOPREFIX, d::Label3.place, frame));
    SpinEdit2 = std::make_unique<SpinEdit>(*this, d::SpinEdit2, kArrowsWidth, frame);
    CheckBox6 = addCheckBox(d::CheckBox6, 0);
    // Below the controls it frames, which would otherwise lie under it.
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Label4 = std::make_unique<Label>(
        add(L"STATIC", d::Label4.text, SS_LEFT | SS_NOPREFIX, d::Label4.place));
    ComboBox1 = std::make_unique<ComboBox>(*this, d::ComboBox1, core::languageChoices(),
                                           ComboBox::Field::ListOnly);
    namespace n = d::names;
    readers_.name(SpinEdit1->edit(), core::tr(n::SpinEdit1));
    readers_.name(SpinEdit2->edit(), core::tr(n::SpinEdit2));
    readers_.name(ComboBox1->hwnd(), core::tr(n::ComboBox1));
    // Enter and Escape press them through the dialog IDs.
    Button1 =
        std::make_unique<Button>(add(L"BUTTON", d::Button1.text, BS_DEFPUSHBUTTON | WS_TABSTOP,
                                     d::Button1.place, nullptr, 0, IDOK),
                                 [this] { Button1Click(); });
    Button2 = std::make_unique<Button>(add(L"BUTTON", d::Button2.text, BS_PUSHBUTTON | WS_TABSTOP,
                                           d::Button2.place, nullptr, 0, IDCANCEL),
                                       [this] { Button2Click(); });
}

void TForm3::showDialog() {
    buildControls();
    const bool opening = !isVisible();
    if (opening)
        FormShow();
    showInFront();
    // Opened afresh, the keyboard starts at the first switch.
    if (opening)
        SetFocus(CheckBox1->hwnd());
}

void TForm3::FormShow() {
    centreOnPrimaryScreen();
    const core::SettingsDialogValues values = model_.FormShow();
    CheckBox1->setChecked(values.cpuHandOver);
    CheckBox2->setChecked(values.beep);
    CheckBox3->setChecked(values.hideTrayIcon);
    SpinEdit1->setValue(values.countdownSeconds);
    CheckBox4->setChecked(values.startAtLogon);
    CheckBox5->setChecked(values.notice);
    SpinEdit2->setValue(values.noticeMinutes);
    CheckBox6->setChecked(values.wakeForBooking);
    ComboBox1->select(values.language);
}

void TForm3::Button1Click() {
    // Enter leaves the focus in the field: correct it as a click on OK would.
    SpinEdit1->left();
    SpinEdit2->left();
    const core::SettingsDialogValues values{
        CheckBox1->checked(), CheckBox2->checked(), CheckBox3->checked(),
        SpinEdit1->value(),   CheckBox4->checked(), CheckBox5->checked(),
        SpinEdit2->value(),   CheckBox6->checked(), ComboBox1->index()};
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
