#pragma once

#include "core/schedule/SharedState.h"

#include <functional>
#include <string>

namespace core {

// The countdown dialog's controls; each face implements them over its widgets.
class CountdownControls {
public:
    virtual ~CountdownControls() = default;
    virtual bool timerRunning() const = 0;
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    virtual void showTexts(const std::string& title, const std::string& message) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void beep() = 0;
    virtual void hideDialog() = 0;
};

// What the countdown dialog decides when it is shown, every second, on キャンセル and on
// "10分延期".
class CountdownModel {
public:
    // `cancelled` tells the main window, which goes back to its ordinary tick; `postponed` asks
    // it to put the action off, false when it could not.
    CountdownModel(SharedState& state, CountdownControls& controls, std::function<void()> cancelled,
                   std::function<bool()> postponed)
        : state_(state), controls_(controls), cancelled_(std::move(cancelled)),
          postponed_(std::move(postponed)) {}

    void FormShow();
    void Timer1Timer();
    void SpeedButton1Click();
    // The count ends as on キャンセル only when the main window put the action off.
    void SpeedButton2Click();

private:
    SharedState& state_;
    CountdownControls& controls_;
    std::function<void()> cancelled_;
    std::function<bool()> postponed_;
    int progressMaximum_ = 0;
};

} // namespace core
