#pragma once

namespace ui {

// The countdown before a scheduled action, as the main window sees it.
class CountdownDialog {
public:
    virtual ~CountdownDialog() = default;
    // Shows the dialog when hidden, raises it when already shown.
    virtual void showCountdown() = 0;
};

} // namespace ui
