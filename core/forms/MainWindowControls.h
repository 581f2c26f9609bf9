#pragma once

#include "BookingCommands.h"
#include "core/policy/PolicyInForce.h"
#include "core/schedule/BookingNotices.h"
#include "core/schedule/CancelledBy.h"
#include "core/schedule/SchedulerTick.h"

#include <optional>
#include <string>
#include <vector>

namespace core {

// What the CPU-idle watch and a countdown leave usable of the main window.
struct ControlLocks {
    bool watchFields; // the CPU-idle and the 終了待ち watch's fields
    bool grid;        // a grid that is not usable is grey (design::form1::kLockedGridColour)
    // "予約する"; nothing leaves it as it is.
    std::optional<bool> bookButton;
    // Why the grid is locked, said to whoever tries to change it there; it stays readable.
    std::string gridReason;
    // The booking pages' fields (the calendar, the time and day selectors, the kind's buttons,
    // the delay): locked only where the administrator keeps the bookings from the user, with
    // the grid's reason. The action stays, as the watches use it.
    bool bookingFields;
    friend bool operator==(const ControlLocks&, const ControlLocks&) = default;
};

// What the session shows in the main window and the tray beyond the fields' values. A window
// whose widgets are not built yet leaves what needs them: the session shows it again when they
// are (MainWindowModel::widgetsBuilt).
class MainWindowControls : public BookingControls {
public:
    virtual void showClock(const std::string& text) = 0;
    virtual void showUsage(const std::string& text) = 0;
    // Nothing hides the remaining-time labels.
    virtual void showRemainingTime(std::optional<RemainingTime> remaining) = 0;
    // The program field's list: the names of this user's running programs.
    virtual void offerPrograms(const std::vector<std::string>& names) = 0;
    // Puts the icon in the notification area.
    virtual void addTrayIcon() = 0;
    virtual void applyLocks(const ControlLocks& locks) = 0;
    virtual void showCountdown() = 0;
    // The countdown ends as its キャンセル ends it, also when its dialog was hidden.
    virtual void cancelCountdown(CancelledBy by) = 0;
    // The grid shows the table as it is now; cheap when nothing changed.
    virtual void showTable() = 0;
    // The tray icon's tip: the next booking, or the product's name while none is coming.
    virtual void showTrayTip(const std::string& tip) = 0;
    // A desktop notification; clicking it shows the main window.
    virtual void showNotice(const Notice& notice) = 0;
    // The line that names the administrator's bookings ("管理者の予約: 2件") and the tray's item
    // that lists them; empty while no policy is in force, and neither shows.
    virtual void showPolicyLine(const std::string& text) = 0;
    // The read-only window of the administrator's bookings and limits.
    virtual void showPolicyBookings(const std::vector<PolicyBookingLine>& lines,
                                    const std::string& limits) = 0;
};

} // namespace core
