#pragma once

#include "Control.h"
#include "Window.h"
#include "core/forms/CountdownModel.h"

#include <functional>
#include <memory>

namespace ui {

// The stay-on-top countdown shown before a scheduled action. The buttons take no focus, so a
// stray Enter or Space cancels nothing; Escape cancels.
class TForm2 : public Window, private core::CountdownControls {
public:
    // `cancelled` tells the main window, which goes back to its ordinary tick; `postponed` asks
    // it to put the action off, false when it could not.
    TForm2(core::SharedState& state, core::Prompter& prompter, std::function<void()> cancelled,
           std::function<bool()> postponed);

    void showCountdown();
    void Timer1Timer();       // Timer1, every second while counting
    void SpeedButton1Click(); // "キャンセル", also Escape
    void SpeedButton2Click(); // "10分延期"

    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND ProgressBar1 = nullptr;
    std::unique_ptr<Button> SpeedButton1;
    std::unique_ptr<Button> SpeedButton2;

private:
    void build() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool timerRunning() const override { return timerRunning_; }
    void startTimer() override;
    void stopTimer() override;
    void showTexts(const std::string& title, const std::string& message) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void beep() override;
    void hideDialog() override;

    core::CountdownModel model_;
    bool timerRunning_ = false;
};

} // namespace ui
