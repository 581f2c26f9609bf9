#pragma once

#include "SessionServices.h"
#include "WindowLocks.h"
#include "core/command/ScriptCommands.h"
#include "core/files/History.h"
#include "core/forms/MainWindowControls.h"
#include "core/schedule/JobWatch.h"
#include "core/schedule/TickDriver.h"

#include <functional>
#include <optional>
#include <string>

namespace core {

// The CPU-idle watch and the "終了待ち" watch, one at a time: their fields' settings, their start
// from the window, a command or a booking, their steps on the tick and the countdown they start
// for the action selected.
class Watches : public ScriptWatches {
public:
    // What the watches need of the countdown.
    struct Countdown {
        // A countdown shows or its requests repeat: no watch starts then.
        std::function<bool()> busy;
        // A watch's conditions held: the countdown for PendingAction, said with `cause`.
        std::function<void(const std::string& cause)> show;
    };
    // The watches read and change the window's `values`.
    Watches(const SessionServices& services, MainWindowValues& values, MainWindowControls& controls,
            History& history, TickDriver& ticks, WindowLocks& locks, Countdown countdown);

    // The watches' fields at their stored values, through the path of the user's changes: a
    // stored value out of range is stored back corrected.
    void showSettings();
    // Whether the session tells how long nobody touched it, for the 操作なし condition.
    void offerConditions();
    // The fields were `before` until the user changed them: the settings follow.
    void fieldsChanged(const MainWindowValues& before);
    // The CPU-idle sheet's 開始 and 停止.
    void startCpuWatch();
    void stopCpuWatch();
    // The "終了待ち" sheet's 開始, with the conditions of its fields.
    void startJobWatchFromFields();
    // Waits until every condition given holds, then counts down to the action selected then.
    // Refused while another watch runs, and when a program has no process.
    std::optional<std::string> startJobWatch(const JobConditions& conditions);
    // The program field's list opens.
    void offerPrograms();
    // One step of the CPU-idle watch for this tick's usage.
    void cpuWatchStep(int usage);
    // The row `shown` came and hands its action to the CPU-idle watch.
    void startCpuWatchFromBooking(const std::string& shown);
    void jobWatchTick();
    // Both watches end: a countdown ended or an administrator's booking came.
    void endAll();
    // The CPU-idle watch waits for another full idle period.
    void restartCpuIdle() { services_.state.CpuIdleTicks = 0; }

    std::optional<std::string> startWatch(const ScriptCommand& command) override;
    bool stopWatch() override;
    std::optional<std::string> watching() const override;

private:
    // Every change of the threshold and the duration is stored at once.
    void SpinEdit2Change();
    void SpinEdit3Change();
    // A tick or a number of the 終了待ち sheet changed: what differs from the stored values.
    void jobFieldsChanged();
    // A watch is already running: the other one is not started.
    std::optional<std::string> anotherWatchRuns() const;
    void confirmWatch();
    void fire(const std::string& cause);
    void endJobWatch();
    // The selected action's name, as the countdown names it.
    std::string selectedActionName() const;
    void storeSetting(std::string Settings::*member, std::string value);
    // As storeSetting, without a box: the reason when the file refused it, and the setting kept.
    std::optional<std::string> writeQuietly(std::string Settings::*member,
                                            const std::string& value);

    const SessionServices& services_;
    MainWindowValues& values_;
    MainWindowControls& controls_;
    History& history_;
    TickDriver& ticks_;
    WindowLocks& locks_;
    Countdown countdown_;
    JobWatch jobWatch_;
};

} // namespace core
