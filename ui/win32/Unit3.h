#pragma once

#include "core/forms/SettingsDialog.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Control.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Window.h"

#include <memory>
#include <string>
#include <vector>

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
    // The switches that hold a setting, each one of switches_.
    Button* CheckBox1 = nullptr;
    Button* CheckBox2 = nullptr;
    Button* CheckBox3 = nullptr;
    std::unique_ptr<SpinEdit> SpinEdit1;
    std::unique_ptr<Label> Label1;
    std::unique_ptr<Button> CheckBox4;
    Button* CheckBox5 = nullptr;
    std::unique_ptr<SpinEdit> SpinEdit2;
    std::unique_ptr<Label> Label3;
    Button* CheckBox6 = nullptr;
    std::unique_ptr<Label> Label5;
    std::unique_ptr<TextField> Edit1;
    std::unique_ptr<SpinEdit> SpinEdit3;
    std::unique_ptr<Label> Label6;
    std::unique_ptr<Label> Label4;
    std::unique_ptr<ComboBox> ComboBox1;
    std::unique_ptr<Button> Button1;
    std::unique_ptr<Button> Button2;

private:
    // Made when the dialog first shows.
    void buildControls();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The box of the switch that holds `member`.
    Button* switchFor(std::string core::Settings::*member) const;

    // Each of the design's switches, in its order.
    std::vector<std::unique_ptr<Button>> switches_;
    core::SettingsDialog model_;
    ReaderAnnotations readers_;
};

} // namespace ui
