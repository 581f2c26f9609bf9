#pragma once

namespace ui {

// The countdown before a scheduled action, as the main window sees it.
class CountdownDialog {
public:
    virtual ~CountdownDialog() = default;
    // Shows the dialog when hidden, raises it when already shown.
    virtual void showCountdown() = 0;
};

// The main window, as the countdown's cancel button sees it.
class CountdownOwner {
public:
    virtual ~CountdownOwner() = default;
    // Back to the ordinary tick, the watch stopped, the table usable again.
    virtual void countdownCancelled() = 0;
};

} // namespace ui
