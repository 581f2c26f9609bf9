#pragma once

#include "SpinEdit.h"
#include "Window.h"
#include "core/FileStore.h"
#include "core/Settings.h"

#include <memory>
#include <string>

namespace ui {

// The settings dialog: three switches and the countdown length.
class TForm3 : public Window {
public:
    TForm3(core::Settings& settings, core::FileStore& files, std::string settingsPath,
           core::Prompter& prompter);

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
    HWND Button1 = nullptr;
    HWND Button2 = nullptr;

private:
    void build() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    core::Settings& settings_;
    core::FileStore& files_;
    std::string settingsPath_;
};

} // namespace ui
