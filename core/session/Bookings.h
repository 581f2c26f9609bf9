#pragma once

#include "SessionServices.h"
#include "core/command/ScriptCommands.h"
#include "core/files/History.h"
#include "core/forms/BookingCommands.h"
#include "core/forms/MainWindowControls.h"
#include "core/policy/PolicyInForce.h"
#include "core/schedule/BookingNotices.h"
#include "core/schedule/KeepAwake.h"

#include <string>

namespace core {

// The file of postponed moments holds at most 30 short lines.
inline constexpr std::size_t kMostPostponementBytes = 16384;

// The user's table and the administrator's: the file, the editor and the window's booking
// commands, the policy in force with its postponed moments, the notices before a booking, what
// keeps the machine awake or wakes it for one, and the tray's tip naming the next.
class Bookings : public ScriptTable {
public:
    // The booking commands read and change the window's `values`.
    Bookings(const SessionServices& services, ReservationTable& table, MainWindowValues& values,
             MainWindowControls& controls, History& history);

    // The user's file and the administrator's postponed moments read at the start.
    void load();
    void restorePostponements();
    // The policy read again when it changed: its bookings, its ignored entries said once; true
    // when it was read.
    bool followPolicy();
    // A booking command of the main window, and the notices told what it changed.
    void runBooking(void (BookingCommands::*command)());
    // The notices that are due now, said and kept in the history.
    void sayDueNotices();
    // Bookings passed over unfired, in one notice.
    void reportMissed(const Notice& notice);
    // The administrator's postponed moments written to their file when they changed.
    void keepPostponements();
    // The administrator's row put off to `moment`: the row it now holds, 0 when none was free.
    int postponePolicyRow(int row, LocalTime moment);
    // The wake timer and the tray's tip follow the table, the settings and the clock.
    void followTable();
    void resumed();
    void clockSet();

    ReservationTable& table() { return table_; }
    TableEditor& editor() { return editor_; }
    BookingCommands& commands() { return commands_; }
    PolicyInForce& policy() { return policy_; }
    const PolicyInForce& policy() const { return policy_; }
    AwakeForBookings& awake() { return awake_; }

    bool waitsForUser() const override { return services_.prompter.waitsForUser(); }
    // The notices, the wake timer and the grid follow a change of the table.
    void tableChanged() override;
    bool userBookingsAllowed() const { return policy_.policy().allowUserBookings.value; }
    std::optional<std::string> bookingsRefusal() const override;
    std::optional<std::string> actionRefusal(PowerAction action) const override {
        return services_.power.unavailable(action);
    }
    std::string policyReport() const override { return policy_.report(); }

private:
    bool wakeOn() const { return isOn(services_.state.settings.WAKEchange); }

    const SessionServices& services_;
    ReservationTable& table_;
    MainWindowControls& controls_;
    History& history_;
    TableEditor editor_;
    BookingCommands commands_;
    AdvanceNotices notices_;
    AwakeForBookings awake_;
    PolicyInForce policy_;
    AdvanceNotices policyNotices_;
    // What the file of the administrator's postponed moments holds.
    std::string keptPostponements_;
    std::string shownTip_;
};

} // namespace core
