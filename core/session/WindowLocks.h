#pragma once

#include "Bookings.h"
#include "core/forms/MainWindowControls.h"

#include <optional>
#include <string>

namespace core {

// What the watches, a countdown and the administrator leave usable of the main window. Every
// tick asks for an appearance; only a change reaches the controls.
class WindowLocks {
public:
    WindowLocks(MainWindowControls& controls, const Bookings& bookings)
        : controls_(controls), bookings_(bookings) {}

    // Locked: nothing of the booking usable; unlocked: all of it.
    void lock(bool locked);
    // A countdown ended: the table usable again, "予約する" back with the next tick.
    void countdownLeft();
    // The appearance shown last, to widgets built since.
    void showAgain();

private:
    bool bookingsAllowed() const { return bookings_.userBookingsAllowed(); }
    std::string gridReason(bool watching) const;
    void apply(const ControlLocks& locks);

    MainWindowControls& controls_;
    const Bookings& bookings_;
    std::optional<ControlLocks> shown_;
    // "予約する" as the last appearance that set it left it.
    std::optional<bool> bookButton_;
};

} // namespace core
