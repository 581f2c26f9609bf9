#pragma once

#include "LogindBus.h"
#include "core/base/TickTimer.h"

#include <QObject>

class QSocketNotifier;
class QTimer;

namespace platform {

// Moments come from a timerfd on CLOCK_REALTIME with an absolute deadline: it fires at the
// wall-clock moment even across a suspend, and with TFD_TIMER_CANCEL_ON_SET it reports a clock
// that was set. Intervals come from a precise QTimer. Nothing wakes the program between two
// deadlines. logind's PrepareForSleep(false) on the system bus tells of a resume; each tick looks
// whether that bus went away, and subscribes again on the one that came back.
class LinuxTickTimer : public QObject, public core::TickTimer {
    Q_OBJECT
public:
    explicit LinuxTickTimer(LogindBus& bus, QObject* parent = nullptr);
    ~LinuxTickTimer() override;

    void startAt(std::chrono::milliseconds delay) override;
    void startEvery(std::chrono::milliseconds interval) override;

private slots:
    void prepareForSleep(bool starting);

private:
    void subscribeToSleep();
    void disarmMoment();
    void readable();
    void tick();

    LogindBus& bus_;
    int fd_;
    QSocketNotifier* notifier_;
    QTimer* interval_;
};

} // namespace platform
