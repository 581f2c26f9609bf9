#include "LinuxTickTimer.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>

namespace platform {

LinuxTickTimer::LinuxTickTimer(LogindBus& bus, QObject* parent)
    : QObject(parent), bus_(bus), fd_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (fd_ < 0)
        throw std::system_error(errno, std::generic_category(), "timerfd_create");
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &LinuxTickTimer::readable);
    interval_ = new QTimer(this);
    interval_->setTimerType(Qt::PreciseTimer);
    connect(interval_, &QTimer::timeout, this, &LinuxTickTimer::tick);
    connect(&bus_, &LogindBus::reconnected, this, &LinuxTickTimer::subscribeToSleep);
    subscribeToSleep();
}

void LinuxTickTimer::subscribeToSleep() {
    // Without a system bus the wall-clock deadline still comes after a resume, only later.
    bus_.connection().connect(QStringLiteral("org.freedesktop.login1"),
                              QStringLiteral("/org/freedesktop/login1"),
                              QStringLiteral("org.freedesktop.login1.Manager"),
                              QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void LinuxTickTimer::tick() {
    // The program looks anyway: the bus is looked at too, and no wake-up of its own is needed.
    bus_.connection();
    fired();
}

LinuxTickTimer::~LinuxTickTimer() {
    // The notifier goes first: it must not watch a descriptor that is closed, or reused.
    delete notifier_;
    ::close(fd_);
}

void LinuxTickTimer::startAt(std::chrono::milliseconds delay) {
    interval_->stop();
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t nanoseconds =
        static_cast<std::int64_t>(now.tv_nsec) + std::max<std::int64_t>(delay.count(), 1) * 1000000;
    itimerspec deadline{};
    deadline.it_value.tv_sec = now.tv_sec + static_cast<time_t>(nanoseconds / 1000000000);
    deadline.it_value.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
    timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &deadline, nullptr);
}

void LinuxTickTimer::startEvery(std::chrono::milliseconds interval) {
    disarmMoment();
    interval_->start(interval);
}

void LinuxTickTimer::disarmMoment() {
    const itimerspec disarmed{};
    timerfd_settime(fd_, 0, &disarmed, nullptr);
}

void LinuxTickTimer::prepareForSleep(bool starting) {
    if (!starting)
        resumed();
}

void LinuxTickTimer::readable() {
    std::uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations)
        tick();
    else if (errno == ECANCELED)
        clockSet();
}

} // namespace platform
