#pragma once

#include "Bookings.h"
#include "PreActionStep.h"
#include "SessionServices.h"
#include "Watches.h"
#include "WindowLocks.h"
#include "core/command/ScriptCommands.h"
#include "core/files/History.h"
#include "core/forms/MainWindowControls.h"
#include "core/schedule/PowerControl.h"
#include "core/schedule/TickDriver.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// "10分延期" books the action this long after the current minute.
inline constexpr std::chrono::minutes kPostponement{10};

// A countdown from its start to its end: shown, cancelled, put off ten minutes or run out, then
// the action requested, repeated while the session lasts, under the limits of the administrator's
// booking that started it.
class CountdownFlow : public ScriptCountdown {
public:
    CountdownFlow(const SessionServices& services, MainWindowControls& controls, History& history,
                  TickDriver& ticks, WindowLocks& locks, Bookings& bookings, Watches& watches);
    ~CountdownFlow() override;
    CountdownFlow(const CountdownFlow&) = delete;
    CountdownFlow& operator=(const CountdownFlow&) = delete;

    // The countdown for PendingAction; `cause` names what started it in the history, a booking
    // (`booked`) as its row first, which the system's log gets as a field of its own.
    void show(int timerIntervalMs, std::string_view cause, bool booked = false);
    // The administrator's booking in the row came: its countdown under the policy's limits.
    void showForPolicy(int row);
    // The administrator's booking outranks the user's watches, which end, said in the history.
    void endWatchesForPolicy();
    // The countdown ends with nothing requested for it, also when its count ran out just now.
    void cancelled(CancelledBy by);
    // The count has run out: the command before the action runs, then the action is asked for
    // shortly after. Asked again every second while the command runs: what the countdown says
    // meanwhile, or nothing once it has ended.
    std::optional<std::string> finished();
    // "10分延期": the reason when no row is free for the booking or its save is refused
    // (nothing is booked, and the count goes on).
    std::optional<std::string> postponed();
    // The count ran out: the privilege, then the request, repeated until the session ends.
    void runPendingAction();
    // The tray's power commands: the request at once, with no countdown.
    void requestNow(PowerAction action);
    // Ending the program is refused, with the policy's words in a box, while a countdown that may
    // not be cancelled shows or its requests repeat.
    bool mayEndProgram();

    bool countdownShown() const override { return shown_; }
    bool requestUnderWay() const override;
    void startCountdownNow(PowerAction action) override;
    void cancelCountdown(CancelledBy by) override;
    std::optional<std::string> stopRequests(CancelledBy by) override;
    std::optional<std::string> cancelRefusal() const override;

private:
    bool cancelAllowed() const { return services_.state.Limits.cancelAllowed; }
    // Leaves the countdown: the phase back to watching, the tick back on the wall clock.
    void end();
    // The countdown is put away and the watch stopped; the table is usable again.
    void leave();
    // "電源断: " and what follows, for the history.
    std::string pendingActionWith(std::string_view details) const;
    void confirmPostponement(LocalTime moment);
    // The system's schedule holds a power-off or reboot while its count runs, to its end.
    void announce(int seconds);
    void withdraw();
    void scheduleTold(const ShutdownSchedule::Event& event);
    // The command before the action failed and the user asked for the action to be called off.
    void callOff();

    const SessionServices& services_;
    MainWindowControls& controls_;
    History& history_;
    TickDriver& ticks_;
    WindowLocks& locks_;
    Bookings& bookings_;
    Watches& watches_;
    PowerControl power_;
    PreActionStep preAction_;
    // The administrator's booking whose countdown shows.
    std::optional<int> policyRow_;
    bool shown_ = false;
    // The requests made since the countdown showed: the first of its repeats is said.
    int requests_ = 0;
    // This count is in the system's schedule.
    bool announced_ = false;
    // The system's refusal of the schedule is said once while the program runs.
    bool scheduleRefusalSaid_ = false;
};

} // namespace core
