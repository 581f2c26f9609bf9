#include "TickDriver.h"

#include "SchedulerTick.h"
#include "TickSchedule.h"

namespace core {

TickDriver::TickDriver(TickTimer& timer, const Clock& clock, const SharedState& state,
                       Events events)
    : timer_(timer), clock_(clock), state_(state), events_(std::move(events)),
      interval_(kScanIntervalMs) {
    timer_.onFired([this] { this->tick(); });
    timer_.onClockSet([this] {
        events_.clockSet();
        reschedule();
    });
    // After a sleep the table is looked at once, so that what passed meanwhile is said at once; a
    // countdown's stretched interval only runs on.
    timer_.onResumed([this] {
        events_.resumed();
        if (cadence() == Cadence::WallClock)
            this->tick();
        else
            reschedule();
    });
}

TickDriver::~TickDriver() {
    timer_.onFired(nullptr);
    timer_.onClockSet(nullptr);
    timer_.onResumed(nullptr);
}

void TickDriver::tick() {
    lookOwed_ = false;
    events_.tick();
    reschedule();
}

void TickDriver::setInterval(int ms) {
    interval_ = ms;
    stretchedArmed_ = false;
    reschedule();
}

void TickDriver::setWindowShown(bool shown) {
    windowShown_ = shown;
    reschedule();
}

void TickDriver::lookSoon() {
    lookOwed_ = true;
    reschedule();
}

void TickDriver::setWatchSampling(bool watched) {
    watchSampling_ = watched;
    reschedule();
}

TickDriver::Cadence TickDriver::cadence() const {
    return interval_ == kScanIntervalMs ? Cadence::WallClock : Cadence::Stretched;
}

void TickDriver::reschedule() {
    const LocalTime now = clock_.now();
    const TickPlan plan = planNextTick(
        interval_, now, {windowShown_, state_.CpuWatchActive, lookOwed_, watchSampling_});
    if (plan.intervalMs) {
        if (!stretchedArmed_)
            timer_.startEvery(std::chrono::milliseconds(*plan.intervalMs));
        stretchedArmed_ = true;
        return;
    }
    stretchedArmed_ = false;
    timer_.startAt(std::chrono::ceil<std::chrono::milliseconds>(plan.due - now));
}

} // namespace core
