#pragma once

#include "Bookings.h"
#include "SessionServices.h"
#include "core/files/History.h"
#include "core/forms/MainWindowControls.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace core {

// Why a countdown waits, as the history and the notice say it: "発表中", "全画面表示中",
// "vlc の抑止中".
std::string busyReason(const Busy& busy);

// Holds a booking's countdown while the user presents or works in full screen, where the setting
// or the administrator's policy asks for it. Looked at again each minute: the countdown starts
// within a minute of the reason's end, and at the latest after the policy's most minutes. The
// waiting booking fires once and is not missed; a one-time row stays in the table, shown as
// waiting, until its countdown starts. A row stopped, deleted or changed meanwhile ends the wait.
class BusyGuard {
public:
    // Starts the countdown of the user's row, or of the administrator's.
    using StartCountdown = std::function<void(int row, bool policy)>;
    BusyGuard(const SessionServices& services, Bookings& bookings, History& history,
              MainWindowControls& controls, StartCountdown start);

    // The row came with PendingAction: true when its countdown waits (said in the history and in
    // a notice).
    bool holds(int row, bool policy);
    // A tick while a countdown waits.
    void step();

private:
    struct Waiting {
        int row;
        bool policy;
        PowerAction action;
        std::array<std::string, kColumnCount> cells;
        std::string reason;
        LocalTime since;
        LocalTime lastLook;
    };
    bool on() const;
    std::array<std::string, kColumnCount> cellsOf(int row, bool policy);
    // The wait ends, said with `how`; the countdown starts unless the row changed.
    void end(const std::string& how, bool countDown);

    const SessionServices& services_;
    Bookings& bookings_;
    History& history_;
    MainWindowControls& controls_;
    StartCountdown start_;
    std::optional<Waiting> waiting_;
};

} // namespace core
