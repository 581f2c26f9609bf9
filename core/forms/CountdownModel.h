#pragma once

#include "core/schedule/SharedState.h"

#include <functional>
#include <optional>
#include <string>

namespace core {

// The countdown dialog's controls; each face implements them over its widgets.
class CountdownControls {
public:
    virtual ~CountdownControls() = default;
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    virtual void showTexts(const std::string& title, const std::string& message) = 0;
    // The line under the message: how to cancel, or why the count could not be put off.
    virtual void showHint(const std::string& hint) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void beep() = 0;
    virtual void hideDialog() = 0;
};

// What the countdown dialog decides when it is shown, every second, on キャンセル, on
// "10分延期" and on its close box. No box ever covers it: what it has to say, it says itself.
class CountdownModel {
public:
    using Postponement = std::function<std::optional<std::string>()>;
    // `cancelled` tells the main window, which goes back to its ordinary tick; `postponed` asks
    // it to put the action off, and says why when it could not.
    CountdownModel(SharedState& state, CountdownControls& controls, std::function<void()> cancelled,
                   Postponement postponed)
        : state_(state), controls_(controls), cancelled_(std::move(cancelled)),
          postponed_(std::move(postponed)) {}

    void FormShow();
    void Timer1Timer();
    void SpeedButton1Click();
    // The count ends as on キャンセル only when the main window put the action off; else it goes
    // on and the hint says why.
    void SpeedButton2Click();
    // The close box and Alt+F4: a user who closes the countdown wants it gone, as on キャンセル.
    void FormClose() { SpeedButton1Click(); }

private:
    SharedState& state_;
    CountdownControls& controls_;
    std::function<void()> cancelled_;
    Postponement postponed_;
    int progressMaximum_ = 0;
};

} // namespace core
