#pragma once

#include "core/schedule/CancelledBy.h"
#include "core/schedule/SharedState.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
    // キャンセル and 10分延期 usable, or disabled with the reason as the button's hint.
    virtual void limitButtons(std::string_view cancelRefusal, std::string_view postponeRefusal) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void showSecondsLeft(const std::string& text) = 0;
    virtual void beep() = 0;
    // Said by a screen reader as soon as it is free: the dialog's texts as it appears, the time
    // left at a few points, a refused 10分延期.
    virtual void announce(const std::string& text) = 0;
    // What a screen reader says of the dialog when asked where the user is: its texts and keys.
    virtual void describe(const std::string& text) = 0;
    virtual void hideDialog() = 0;
};

// The seconds left at which the countdown says how many: often enough to be heard, seldom enough
// to leave the reader free between them.
inline constexpr std::array<int, 3> kAnnouncedSeconds{30, 10, 5};

// "キャンセル ボタン", "Esc キー" ...: how the history names it.
std::string cancelledByText(CancelledBy by);

// What the countdown dialog decides when it is shown, every second, on キャンセル, on
// "10分延期" and on its close box. No box ever covers it: what it has to say, it says itself.
class CountdownModel {
public:
    using Cancellation = std::function<void(CancelledBy)>;
    using Postponement = std::function<std::optional<std::string>()>;
    // The count has run out, or still waits for the command before the action: what the dialog
    // says meanwhile, or nothing when it can go.
    using Finished = std::function<std::optional<std::string>()>;
    // `cancelled` tells the main window, which goes back to its ordinary tick; `postponed` asks
    // it to put the action off, and says why when it could not; `finished` tells it that the
    // count has run out, and is asked again every second while the action waits.
    CountdownModel(SharedState& state, CountdownControls& controls, Cancellation cancelled,
                   Postponement postponed, Finished finished)
        : state_(state), controls_(controls), cancelled_(std::move(cancelled)),
          postponed_(std::move(postponed)), finished_(std::move(finished)) {}

    void FormShow();
    void Timer1Timer();
    void SpeedButton1Click() { cancel(CancelledBy::Button); }
    // Escape, the close box and Alt+F4, and --cancel end the count as キャンセル does: a user who
    // closes the countdown wants it gone. False, with the count going on, where a policy forbids.
    bool cancel(CancelledBy by);
    // The count ends as on キャンセル only when the main window put the action off; else it goes
    // on and the hint says why.
    void SpeedButton2Click();
    bool FormClose() { return cancel(CancelledBy::CloseBox); }

private:
    // The seconds left shown, and said at a few points.
    void secondsLeft();
    // How to cancel, or what the policy forbids.
    std::string limitsHint() const;
    // The hint line with the keys that work, as a reader is given it.
    std::string spokenHint(const std::string& hint) const;

    SharedState& state_;
    CountdownControls& controls_;
    Cancellation cancelled_;
    Postponement postponed_;
    Finished finished_;
    // The count has run out and the dialog stays while the command before the action runs.
    bool waiting_ = false;
    int progressMaximum_ = 0;
    std::string said_;
};

} // namespace core
