#pragma once

#include "SpinEdit.h"
#include "Window.h"
#include "core/forms/SettingsDialog.h"

#include <memory>
#include <string>

namespace ui {

// The settings dialog: three switches, the countdown length and the start with the session.
class TForm3 : public Window {
public:
    explicit TForm3(core::SettingsDialog::Services services);

    // Shown modeless, centred and filled afresh each time it opens; an open dialog comes to the
    // front.
    void showDialog();
    void FormShow();
    void Button1Click(); // "OK"
    void Button2Click(); // "ｷｬﾝｾﾙ"

    HWND Label2 = nullptr;
    HWND GroupBox1 = nullptr;
    HWND CheckBox1 = nullptr;
    HWND CheckBox2 = nullptr;
    HWND CheckBox3 = nullptr;
    std::unique_ptr<SpinEdit> SpinEdit1;
    HWND Label1 = nullptr;
    HWND CheckBox4 = nullptr;
    HWND Button1 = nullptr;
    HWND Button2 = nullptr;

private:
    void build() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    core::SettingsDialog model_;
};

} // namespace ui
