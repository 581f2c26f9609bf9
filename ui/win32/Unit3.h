#pragma once

#include "toolkit/ComboBox.h"
#include "toolkit/Control.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Window.h"
#include "core/forms/SettingsDialog.h"

#include <memory>
#include <string>

namespace ui {

// The settings dialog: three switches, the countdown length, the start with the session, the
// notice before each booking and the wake for a booking.
class TForm3 : public Window {
public:
    explicit TForm3(core::SettingsDialog::Services services);

    // Shown modeless, centred and filled afresh each time it opens; an open dialog comes to the
    // front.
    void showDialog();
    void FormShow();
    void Button1Click(); // "OK"
    void Button2Click(); // "ｷｬﾝｾﾙ"

    std::unique_ptr<Label> Label2;
    std::unique_ptr<GroupBox> GroupBox1;
    std::unique_ptr<Button> CheckBox1;
    std::unique_ptr<Button> CheckBox2;
    std::unique_ptr<Button> CheckBox3;
    std::unique_ptr<SpinEdit> SpinEdit1;
    std::unique_ptr<Label> Label1;
    std::unique_ptr<Button> CheckBox4;
    std::unique_ptr<Button> CheckBox5;
    std::unique_ptr<SpinEdit> SpinEdit2;
    std::unique_ptr<Label> Label3;
    std::unique_ptr<Button> CheckBox6;
    std::unique_ptr<Label> Label4;
    std::unique_ptr<ComboBox> ComboBox1;
    std::unique_ptr<Button> Button1;
    std::unique_ptr<Button> Button2;

private:
    // Made when the dialog first shows.
    void buildControls();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    core::SettingsDialog model_;
    ReaderAnnotations readers_;
};

} // namespace ui
