#pragma once

#include "Bookings.h"
#include "BusyGuard.h"
#include "CountdownFlow.h"
#include "SessionServices.h"
#include "Watches.h"
#include "WindowLocks.h"
#include "core/command/ScriptCommands.h"
#include "core/command/Wire.h"
#include "core/files/History.h"
#include "core/forms/MainWindowControls.h"
#include "core/lang/Language.h"
#include "core/schedule/SchedulerTick.h"
#include "core/schedule/TickDriver.h"

namespace core {

// What the main window needs of the session: the start, the scheduler's tick and the look that
// follows it, and the window's and the tray's commands, each handed to the part that owns it —
// the bookings, the watches or the countdown — and the commands of the command line, which go to
// ScriptCommands. What happens goes into the history beside the settings file.
class MainWindowModel : private TickHost {
public:
    using Services = SessionServices;
    // The tick comes from `tickTimer`, armed for the next one after each.
    MainWindowModel(Services services, ReservationTable& table, MainWindowControls& controls,
                    TickTimer& tickTimer);

    // A booking command of the main window, and the notices told what it changed.
    void runBooking(void (BookingCommands::*command)()) { bookings_.runBooking(command); }

    // The window's start: the settings read, the state reset, the fields at their start values,
    // the reservation file loaded and the first tick armed.
    void FormCreate();
    // What the window's fields hold; the window draws it when its widgets are built.
    const MainWindowValues& values() const { return values_; }
    // The administrator's policy in force, kept up to date as its sources change.
    const Policy& policy() const { return bookings_.policy().policy(); }
    // The user changed the window's fields: the settings follow the watches' fields.
    void valuesChanged(const MainWindowValues& values);
    // The window's widgets exist now: they show the fields and all else shown so far.
    void widgetsBuilt();
    // One tick now, and the next armed.
    void Timer1Timer() { ticks_.tick(); }
    // The face tells whether the window is visible and not minimised after any change of that.
    void setWindowShown(bool shown) { ticks_.setWindowShown(shown); }
    // The window shows: the clock at once, without a scan or a step of the CPU-idle watch.
    void refreshClock();
    // The CPU-idle sheet's 開始 and 停止.
    void Button1Click() { watches_.startCpuWatch(); }
    void Button5Click() { watches_.stopCpuWatch(); }
    // The "終了待ち" sheet's 開始 and 停止.
    void startJobWatchClick() { watches_.startJobWatchFromFields(); }
    void stopJobWatchClick();
    // The program field's list opens.
    void programListOpens() { watches_.offerPrograms(); }
    // The "終了待ち" watch: waits until every condition given holds, then counts down to the
    // action selected then. Refused while another watch runs, and when a program has no process.
    std::optional<std::string> startJobWatch(const JobConditions& conditions) {
        return watches_.startJobWatch(conditions);
    }
    // The tray's "電源Ｏｆｆ", "再起動" and "強制再起動" (this one asks first).
    void N2Click() { countdown_.requestNow(PowerAction::PowerOff); }
    void N4Click() { countdown_.requestNow(PowerAction::Reboot); }
    void N5Click();
    // The tray's "履歴": the history in the system's viewer for text files.
    void openHistory();
    // The tray's "管理者の予約" and the main window's line: the administrator's bookings.
    void openPolicyBookings();
    // The tray's "キャンセル": as --cancel, the refusal in a box.
    void cancelFromTray();
    // ソフト終了 or the main window's close box: false, with the policy's words in a box, while
    // a countdown that may not be cancelled shows or its requests repeat. The session's end and
    // the installers end the program all the same.
    bool FormCloseQuery() { return countdown_.mayEndProgram(); }
    // The system called the session's end off (a user stopped it on the system's screen): the
    // requests that repeat end, as nothing else would end them.
    void sessionEndCalledOff() { countdown_.stopRequests(CancelledBy::System); }
    // The countdown ends with nothing requested for it, also when its count ran out just now.
    void countdownCancelled(CancelledBy by) { countdown_.cancelled(by); }
    // The count has run out: the command before the action, then the action shortly after; what
    // the countdown says while the command runs, or nothing once it has ended.
    std::optional<std::string> countdownFinished() { return countdown_.finished(); }
    // "10分延期": the reason when no row is free for the booking or its save is refused
    // (nothing is booked, and the count goes on).
    std::optional<std::string> countdownPostponed() { return countdown_.postponed(); }
    // The arguments as a command sent them, applied as the window's controls would apply them; the
    // answer is text and a status, never a message box, in the language the command asks for.
    // What the command changes of the program (history, countdown, notices) stays in its own.
    CommandAnswer runCommandLine(const CommandRequest& request) {
        const LanguageScope language(catalogueFor(request.language));
        return scripts_.run(request.args, request.sender);
    }

private:
    void scan();
    // The policy read again when it changed; the locks follow at once, not only at the next scan.
    void followPolicy();
    // A history that could not be written is said once, in a box that covers no countdown.
    void reportHistoryFailure();

    void runPendingAction() override { countdown_.runPendingAction(); }
    void cpuWatchStep(int usage) override { watches_.cpuWatchStep(usage); }
    void startCpuWatchFromReservation(int row) override;
    void applyUnlockedAppearance() override { locks_.lock(false); }
    void startCountdown(int timerIntervalMs, int row) override;
    void startPolicyCountdown(int row) override;
    void busyWaitStep() override { guard_.step(); }
    void saveReservations() override { bookings_.commands().SaveReservations(); }
    void showRemainingTime(std::optional<RemainingTime> remaining) override;
    void reportMissed(const Notice& notice) override { bookings_.reportMissed(notice); }

    Services services_;
    MainWindowControls& controls_;
    MainWindowValues values_;
    // What the window shows, kept for its widgets' building.
    std::string usage_;
    std::optional<RemainingTime> remaining_;
    History history_;
    TickDriver ticks_;
    Bookings bookings_;
    WindowLocks locks_;
    Watches watches_;
    CountdownFlow countdown_;
    BusyGuard guard_;
    ScriptCommands scripts_;
};

} // namespace core
