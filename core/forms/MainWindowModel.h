#pragma once

#include "BookingCommands.h"
#include "CountdownModel.h"
#include "core/base/DocumentViewer.h"
#include "core/base/FileStore.h"
#include "core/base/ProcessPort.h"
#include "core/command/ScriptCommands.h"
#include "core/command/Wire.h"
#include "core/cpu/CpuUsageMeter.h"
#include "core/files/History.h"
#include "core/lang/Language.h"
#include "core/net/NetworkTraffic.h"
#include "core/policy/PolicyInForce.h"
#include "core/policy/PolicySource.h"
#include "core/schedule/BookingNotices.h"
#include "core/schedule/JobWatch.h"
#include "core/schedule/KeepAwake.h"
#include "core/schedule/PowerControl.h"
#include "core/schedule/SchedulerTick.h"
#include "core/schedule/SharedState.h"
#include "core/schedule/TickDriver.h"

#include <string>

namespace core {

inline constexpr int kCpuTab = 2;
inline constexpr int kJobTab = 3;
// "10分延期" books the action this long after the current minute.
inline constexpr std::chrono::minutes kPostponement{10};
// The file of postponed moments holds at most 30 short lines.
inline constexpr std::size_t kMostPostponementBytes = 16384;

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

// The "終了待ち" sheet's fields.
struct JobFields {
    bool programTicked = false;
    std::string program;
    bool networkTicked = false;
    int networkRate = 50; // KB a second
    int networkMinutes = 3;
    friend bool operator==(const JobFields&, const JobFields&) = default;
};

// The main window's controls beyond the booking ones, as the tick, the CPU-idle watch and the
// tray commands use them.
class MainWindowControls : public BookingControls {
public:
    // The weekday selector is shown only with "毎週".
    virtual void showWeekdays(bool shown) = 0;
    virtual void showClock(const std::string& text) = 0;
    virtual void showUsage(const std::string& text) = 0;
    // Nothing hides the remaining-time labels.
    virtual void showRemainingTime(std::optional<RemainingTime> remaining) = 0;
    virtual int thresholdPercent() const = 0;
    virtual int durationMinutes() const = 0;
    virtual void setThresholdPercent(int percent) = 0;
    virtual void setDurationMinutes(int minutes) = 0;
    virtual JobFields jobFields() const = 0;
    // Every field but the program's, which keeps its text; the numbers clamped as typing them
    // would.
    virtual void setJobFields(const JobFields& fields) = 0;
    // The program field's list: the names of this user's running programs.
    virtual void offerPrograms(const std::vector<std::string>& names) = 0;
    virtual void selectRow(int row) = 0;
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

// Everything the main window decides apart from the booking commands: the start, the scheduler's
// tick and what follows a look (the notices, the wake timer), the CPU-idle watch, the spin fields'
// settings, the tray's power commands, the countdown's end and 10分延期, and the commands of the
// command line, which it hands to ScriptCommands. What happens goes into the history beside the
// settings file.
class MainWindowModel : private TickHost, private ScriptHost {
public:
    struct Services {
        SharedState& state;
        const Clock& clock;
        CpuUsageMeter& cpu;
        PowerPort& power;
        Prompter& prompter;
        FileStore& files;
        std::string reservationPath;
        std::string settingsPath;
        IdleSleepBlock& awake;
        // Shows the history.
        DocumentViewer& viewer;
        // What the "終了待ち" watch waits for.
        ProcessPort& processes;
        NetworkCounters& network;
        // What an administrator set for this machine and user.
        PolicySource& policy;
        // Where the system can wake the machine for a booking; none where it cannot.
        WakeTimer* wake = nullptr;
    };
    // The tick comes from `tickTimer`, armed for the next one after each.
    MainWindowModel(Services services, ReservationTable& table, MainWindowControls& controls,
                    TickTimer& tickTimer);

    // A booking command of the main window, and the notices told what it changed.
    void runBooking(void (BookingCommands::*command)());

    // The window's start: the settings read, the state reset, the controls at their start values,
    // the reservation file loaded and the first tick armed.
    void FormCreate();
    // One tick now, and the next armed.
    void Timer1Timer();
    // The face tells whether the window is visible and not minimised after any change of that.
    void setWindowShown(bool shown);
    // The window shows: the clock at once, without a scan or a step of the CPU-idle watch.
    void refreshClock();
    void Button1Click();
    void Button5Click();
    // The "終了待ち" sheet's 開始 and 停止.
    void Button6Click();
    void Button7Click();
    // The program field's list opens.
    void ComboBox7DropDown();
    // A tick or a number of the 終了待ち sheet changed: the settings follow.
    void jobFieldsChanged();
    // The "終了待ち" watch: waits until every condition given holds, then counts down to the
    // action selected then. Refused while another watch runs, and when a program has no process.
    std::optional<std::string> startJobWatch(const JobConditions& conditions);
    void SpinEdit2Change();
    void SpinEdit3Change();
    // The tray's "電源Ｏｆｆ", "再起動" and "強制再起動" (this one asks first).
    void N2Click();
    void N4Click();
    void N5Click();
    // The tray's "履歴": the history in the system's viewer for text files.
    void N8Click();
    // The tray's "管理者の予約" and the main window's line: the administrator's bookings.
    void N9Click();
    // The tray's "キャンセル": as --cancel, the refusal in a box.
    void N10Click();
    // ソフト終了 or the main window's close box: false, with the policy's words in a box, while
    // a countdown that may not be cancelled shows or its requests repeat. The session's end and
    // the installers end the program all the same.
    bool FormCloseQuery();
    // The system called the session's end off (a user stopped it on the system's screen): the
    // requests that repeat end, as nothing else would end them.
    void sessionEndCalledOff();
    // The countdown ends with nothing requested for it, also when its count ran out just now.
    void countdownCancelled(CancelledBy by);
    // The count has run out: the action is asked for shortly after.
    void countdownFinished();
    // "10分延期": false, with a message, when no row is free for the booking or its save is
    // refused (nothing is booked, and the count goes on).
    std::optional<std::string> countdownPostponed();
    // The arguments as a command sent them, applied as the window's controls would apply them; the
    // answer is text and a status, never a message box, in the language the command asks for.
    // What the command changes of the program (history, countdown, notices) stays in its own.
    CommandAnswer runCommandLine(const CommandRequest& request) {
        const LanguageScope language(catalogueFor(request.language));
        return scripts_.run(request.args, request.sender);
    }

private:
    // Locked: nothing of the booking usable; unlocked: all of it.
    void lock(bool locked);
    // Every tick asks for an appearance; only a change reaches the controls.
    void applyLocks(const ControlLocks& locks);
    std::string gridReason(bool watching) const;
    void scan();
    // The wake timer follows the table, the settings and the clock.
    void followTable();
    // Leaves the countdown: the phase back to watching, the tick back on the wall clock.
    void endCountdown();
    // The countdown is put away and the watch stopped; the table is usable again.
    void leaveCountdown();
    void showCountdown(int timerIntervalMs, std::string_view cause);
    // "電源断: " and what follows, for the history.
    std::string pendingActionWith(std::string_view details) const;
    // A history that could not be written is said once, in a box that covers no countdown.
    void reportHistoryFailure();
    void jobFired();
    void endJobWatch();
    // The policy read again when it changed: its bookings, its ignored entries said once.
    void followPolicy();
    // The administrator's postponed moments written to their file when they changed.
    void keepPostponements();
    bool userBookingsAllowed() const override;
    bool cancelAllowed() const override { return services_.state.Limits.cancelAllowed; }
    std::string policyReport() const override { return policy_.report(); }
    // Said to a screen reader: what a watch started waits for, where a countdown was put off to.
    void confirmWatch();
    void confirmPostponement(LocalTime moment);
    // A watch is already running: the other one is not started.
    std::optional<std::string> anotherWatchRuns() const;
    // The selected action's name, as the countdown names it.
    std::string selectedActionName() const;
    void writeSpinSetting(const char* key, std::string& setting, int value);
    void storeSetting(const char* key, std::string& setting, std::string value);
    // As storeSetting, without a box: the reason when the file refused it, and the setting kept.
    std::optional<std::string> writeQuietly(const char* key, std::string& setting,
                                            const std::string& value);

    void runPendingAction() override;
    void cpuWatchStep(int usage) override;
    void startCpuWatchFromReservation(int row) override;
    void applyUnlockedAppearance() override;
    void startCountdown(int timerIntervalMs, int row) override;
    void startPolicyCountdown(int row) override;
    void saveReservations() override;
    void showRemainingTime(std::optional<RemainingTime> remaining) override;
    void reportMissed(const Notice& notice) override;

    bool tableHeld() const override;
    bool waitsForUser() const override { return services_.prompter.waitsForUser(); }
    bool countdownShown() const override { return countdownShown_; }
    bool requestUnderWay() const override;
    void startCountdownNow(PowerAction action) override;
    void cancelCountdown(CancelledBy by) override {
        const OwnLanguage own;
        controls_.cancelCountdown(by);
    }
    std::optional<std::string> stopRequests(CancelledBy by) override;
    // The notices, the wake timer and the grid follow a change of the table.
    void tableChanged() override;
    std::optional<std::string> startWatch(const ScriptCommand& command) override;
    bool stopWatch() override;
    std::optional<std::string> watching() const override;

    Services services_;
    ReservationTable& table_;
    MainWindowControls& controls_;
    History history_;
    TableEditor editor_;
    BookingCommands booking_;
    TickDriver ticks_;
    PowerControl power_;
    AdvanceNotices notices_;
    AwakeForBookings awake_;
    JobWatch jobWatch_;
    ScriptCommands scripts_;
    PolicyInForce policy_;
    AdvanceNotices policyNotices_;
    // The administrator's booking whose countdown shows.
    std::optional<int> policyRow_;
    bool countdownShown_ = false;
    // The requests made since the countdown showed: the first of its repeats is said.
    int requests_ = 0;
    std::optional<ControlLocks> shownLocks_;
    std::string shownTip_;
    // What the file of the administrator's postponed moments holds.
    std::string keptPostponements_;
};

} // namespace core
