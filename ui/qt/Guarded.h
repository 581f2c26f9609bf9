#pragma once

#include "Prompter.h"

#include <exception>

namespace ui {

// The one place where an error that a handler did not catch ends that handler: the error box
// shows its text and the program goes on with the next event.
template <typename Handler> void runGuarded(Prompter& prompter, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        prompter.showError(QString::fromUtf8(e.what()));
    }
}

} // namespace ui
