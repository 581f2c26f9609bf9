#pragma once

#include "Win32.h"
#include "core/base/TickTimer.h"

namespace platform {

// The scheduler's tick as a timer of the main window, whose procedure passes on WM_TIMER,
// WM_TIMECHANGE and the resume. A message-only window would get neither of the last two. Never
// a waitable timer: modal loops do not service it.
class WindowTickTimer : public core::TickTimer {
public:
    // The window exists only after the object that owns this timer was made.
    void attach(HWND window) { window_ = window; }

    // Not coalesced with other timers: the tick must come at its moment.
    void startAt(std::chrono::milliseconds delay) override;
    void startEvery(std::chrono::milliseconds interval) override;

    // WM_TIMER: true when it was this timer's.
    bool timerMessage(WPARAM id) const;
    // WM_TIMECHANGE: an armed moment may be wrong now.
    void clockChanged() const { clockSet(); }
    // PBT_APMRESUMEAUTOMATIC.
    void machineResumed() const { resumed(); }

private:
    static constexpr UINT_PTR kId = 1;
    HWND window_ = nullptr;
};

} // namespace platform
