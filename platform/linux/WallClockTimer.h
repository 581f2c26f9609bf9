#pragma once

#include "core/WakeTimer.h"

#include <QObject>

class QSocketNotifier;

namespace platform {

// A timerfd on CLOCK_REALTIME with an absolute deadline: it fires at the wall-clock moment even
// across a suspend, and with TFD_TIMER_CANCEL_ON_SET it reports a clock that was set. Nothing in
// it wakes the program between two deadlines.
class WallClockTimer : public QObject, public core::WakeTimer {
    Q_OBJECT
public:
    explicit WallClockTimer(QObject* parent = nullptr);
    ~WallClockTimer() override;

    void start(std::chrono::milliseconds delay) override;
    void stop() override;

private:
    void readable();

    int fd_;
    QSocketNotifier* notifier_;
};

} // namespace platform
