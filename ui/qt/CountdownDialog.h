#pragma once

#include "core/forms/CountdownModel.h"

#include <optional>
#include <string>

namespace ui {

// The countdown before a scheduled action, as the main window sees it.
class CountdownDialog {
public:
    virtual ~CountdownDialog() = default;
    // Shows the dialog when hidden, raises it when already shown.
    virtual void showCountdown() = 0;
    // --cancel, as キャンセル: the count stops, the owner is told and the dialog hides.
    virtual void cancelCountdown(core::CancelledBy by) = 0;
};

// The main window, as the countdown's buttons see it.
class CountdownOwner {
public:
    virtual ~CountdownOwner() = default;
    // Back to the ordinary tick, the watch stopped, the table usable again.
    virtual void countdownCancelled(core::CancelledBy by) = 0;
    // "10分延期": why the action could not be put off; nothing when it was.
    virtual std::optional<std::string> countdownPostponed() = 0;
    // The count has run out, or waits for the command before the action: what the dialog says
    // meanwhile, or nothing when it can go.
    virtual std::optional<std::string> countdownFinished() = 0;
};

} // namespace ui
