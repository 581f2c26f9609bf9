// The main window's 終了待ち sheet: the conditions of the watch for the end of a job.
#include "Unit1.h"

namespace ui {

namespace {

namespace d = core::design::form1;

constexpr int kArrowsWidth = 13;

} // namespace

void TForm1::buildJobSheet() {
    TabSheet& sheet = *TabSheet4;
    CheckBox1 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::CheckBox1.text, BS_AUTOCHECKBOX | WS_TABSTOP, d::CheckBox1.place));
    ComboBox7 =
        std::make_unique<ProgramBox>(sheet, d::ComboBox7, [this] { model_.programListOpens(); });
    addHint(ComboBox7->hwnd(), d::kProgramHint);
    CheckBox2 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::CheckBox2.text, BS_AUTOCHECKBOX | WS_TABSTOP, d::CheckBox2.place));
    // Each field's label comes just before it: a screen reader names the field by it.
    sheet.add(L"STATIC", d::Label17.text, SS_LEFT | SS_NOPREFIX, d::Label17.place);
    SpinEdit4 = std::make_unique<SpinEdit>(sheet, d::SpinEdit4, kArrowsWidth);
    sheet.add(L"STATIC", d::Label18.text, SS_LEFT | SS_NOPREFIX, d::Label18.place);
    SpinEdit5 = std::make_unique<SpinEdit>(sheet, d::SpinEdit5, kArrowsWidth);
    CheckBox3 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::CheckBox3.text, BS_AUTOCHECKBOX | WS_TABSTOP, d::CheckBox3.place));
    sheet.add(L"STATIC", d::Label19.text, SS_LEFT | SS_NOPREFIX, d::Label19.place);
    SpinEdit6 = std::make_unique<SpinEdit>(sheet, d::SpinEdit6, kArrowsWidth);
    Button6 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::Button6.text, BS_PUSHBUTTON | WS_TABSTOP, d::Button6.place),
        [this] { model_.startJobWatchClick(); });
    Button7 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::Button7.text, BS_PUSHBUTTON | WS_TABSTOP, d::Button7.place),
        [this] { model_.stopJobWatchClick(); });
}

void TForm1::drawJobFields(const core::JobFields& fields) {
    CheckBox1->setChecked(fields.programTicked);
    if (ComboBox7->text() != fields.program)
        ComboBox7->setText(fields.program);
    CheckBox2->setChecked(fields.networkTicked);
    // A field being typed in keeps its text while it means the value.
    if (SpinEdit4->value() != fields.networkRate)
        SpinEdit4->setValue(fields.networkRate);
    if (SpinEdit5->value() != fields.networkMinutes)
        SpinEdit5->setValue(fields.networkMinutes);
    CheckBox3->setChecked(fields.noInputTicked);
    if (SpinEdit6->value() != fields.noInputMinutes)
        SpinEdit6->setValue(fields.noInputMinutes);
}

void TForm1::offerPrograms(const std::vector<std::string>& names) {
    if (!built())
        return;
    ComboBox7->setItems(names);
}

void TForm1::enableJobFields(bool enabled) {
    for (HWND field : {CheckBox1->hwnd(), ComboBox7->hwnd(), CheckBox2->hwnd(), SpinEdit4->edit(),
                       SpinEdit4->arrows(), SpinEdit5->edit(), SpinEdit5->arrows(),
                       CheckBox3->hwnd(), SpinEdit6->edit(), SpinEdit6->arrows()})
        EnableWindow(field, enabled);
}

} // namespace ui
