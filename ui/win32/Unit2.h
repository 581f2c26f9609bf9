#pragma once

#include "core/forms/CountdownModel.h"
#include "toolkit/Control.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/Window.h"

#include <functional>
#include <memory>

namespace ui {

// The stay-on-top countdown shown before a scheduled action. The buttons take no focus, so a
// stray Enter or Space cancels nothing; Escape, the close box and Alt+F4 cancel, and each button's
// access key (Alt+letter) presses it.
class TForm2 : public Window, private core::CountdownControls {
public:
    // `cancelled` tells the main window, which goes back to its ordinary tick; `postponed` asks
    // it to put the action off, and says why when it could not.
    TForm2(core::SharedState& state, core::Prompter& prompter,
           core::CountdownModel::Cancellation cancelled,
           core::CountdownModel::Postponement postponed, core::CountdownModel::Finished finished);

    void showCountdown();
    // --cancel, as キャンセル.
    void cancelCountdown(core::CancelledBy by) { model_.cancel(by); }
    void Timer1Timer();       // Timer1, every second while counting
    void SpeedButton1Click(); // "キャンセル"
    void SpeedButton2Click(); // "10分延期"

    std::unique_ptr<Label> Label1;
    std::unique_ptr<Label> Label2;
    std::unique_ptr<ProgressBar> ProgressBar1;
    std::unique_ptr<Label> Label3;
    std::unique_ptr<Button> SpeedButton1;
    std::unique_ptr<Button> SpeedButton2;

private:
    // Made when the countdown first shows.
    void buildControls();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void startTimer() override;
    void stopTimer() override;
    void showTexts(const std::string& title, const std::string& message) override;
    void showHint(const std::string& hint) override;
    void limitButtons(std::string_view cancelRefusal, std::string_view postponeRefusal) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void beep() override;
    void showSecondsLeft(const std::string& text) override;
    void announce(const std::string& text) override;
    void describe(const std::string& text) override;
    // Alt+letter: the enabled button whose caption has that access key is pressed.
    bool pressAccessKey(WPARAM character);
    void hideDialog() override;

    core::CountdownModel model_;
    ReaderAnnotations readers_;
};

} // namespace ui
