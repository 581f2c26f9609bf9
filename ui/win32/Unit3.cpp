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
    // The switches in their order, each followed by what goes with it; the focus moves in this
    // order. Each field's label comes just before it: a screen reader names the field by it.
    for (const auto& entry : d::kSwitches) {
        const bool hinted = entry.member == &core::Settings::TASKICOchange;
        switches_.push_back(addCheckBox(entry.box, hinted ? BS_MULTILINE : 0));
        if (hinted) {
            addHint(switches_.back()->hwnd(), d::kCheckBox3Hint);
            Label1 = std::make_unique<Label>(
                add(L"STATIC", d::Label1.text, SS_LEFT | SS_NOPREFIX, d::Label1.place, frame));
            SpinEdit1 = std::make_unique<SpinEdit>(*this, d::SpinEdit1, kArrowsWidth, frame);
            CheckBox4 = addCheckBox(d::CheckBox4, 0);
        } else if (entry.member == &core::Settings::NOTICEchange) {
            Label3 = std::make_unique<Label>(
                add(L"STATIC", d::Label3.text, SS_LEFT | SS_NOPREFIX, d::Label3.place, frame));
            SpinEdit2 = std::make_unique<SpinEdit>(*this, d::SpinEdit2, kArrowsWidth, frame);
        } else if (entry.member == &core::Settings::DEFERchange) {
            Label5 = std::make_unique<Label>(
                add(L"STATIC", d::Label5.text, SS_LEFT | SS_NOPREFIX, d::Label5.place, frame));
            Edit1 =
                std::make_unique<TextField>(add(L"EDIT", "", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                                                d::Edit1, frame, WS_EX_CLIENTEDGE));
            Label6 = std::make_unique<Label>(
                add(L"STATIC", d::Label6.text, SS_LEFT | SS_NOPREFIX, d::Label6.place, frame));
            SpinEdit3 = std::make_unique<SpinEdit>(*this, d::SpinEdit3, kArrowsWidth, frame);
        }
    }
    CheckBox1 = switchFor(&core::Settings::CPUchange);
    CheckBox2 = switchFor(&core::Settings::BEEPchange);
    CheckBox3 = switchFor(&core::Settings::TASKICOchange);
    CheckBox5 = switchFor(&core::Settings::NOTICEchange);
    CheckBox6 = switchFor(&core::Settings::WAKEchange);
    // Below the controls it frames, which would otherwise lie under it.
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Label4 = std::make_unique<Label>(
        add(L"STATIC", d::Label4.text, SS_LEFT | SS_NOPREFIX, d::Label4.place));
    ComboBox1 = std::make_unique<ComboBox>(*this, d::ComboBox1, core::languageChoices(),
                                           ComboBox::Field::ListOnly);
    namespace n = d::names;
    readers_.name(SpinEdit1->edit(), core::tr(n::SpinEdit1));
    readers_.name(SpinEdit2->edit(), core::tr(n::SpinEdit2));
    readers_.name(Edit1->hwnd(), core::tr(n::Edit1));
    readers_.name(SpinEdit3->edit(), core::tr(n::SpinEdit3));
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
    for (std::size_t i = 0; i < switches_.size(); ++i)
        switches_[i]->setChecked(values.switches[i]);
    SpinEdit1->setValue(values.countdownSeconds);
    CheckBox4->setChecked(values.startAtLogon);
    SpinEdit2->setValue(values.noticeMinutes);
    ComboBox1->select(values.language);
    Edit1->setText(values.command);
    SpinEdit3->setValue(values.commandSeconds);
}

void TForm3::Button1Click() {
    // Enter leaves the focus in the field: correct it as a click on OK would.
    SpinEdit1->left();
    SpinEdit2->left();
    SpinEdit3->left();
    core::SettingsDialogValues values;
    for (std::size_t i = 0; i < switches_.size(); ++i)
        values.switches[i] = switches_[i]->checked();
    values.countdownSeconds = SpinEdit1->value();
    values.startAtLogon = CheckBox4->checked();
    values.noticeMinutes = SpinEdit2->value();
    values.language = ComboBox1->index();
    values.command = Edit1->text();
    values.commandSeconds = SpinEdit3->value();
    if (model_.Button1Click(values))
        ShowWindow(handle(), SW_HIDE);
}

Button* TForm3::switchFor(std::string core::Settings::*member) const {
    for (std::size_t i = 0; i < switches_.size(); ++i)
        if (d::kSwitches[i].member == member)
            return switches_[i].get();
    return nullptr;
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
