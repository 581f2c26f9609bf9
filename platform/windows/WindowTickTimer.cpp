#include "WindowTickTimer.h"

#include <algorithm>

namespace platform {

// Before the window exists nothing is armed: the window's start arms the first tick.
void WindowTickTimer::startAt(std::chrono::milliseconds delay) {
    if (window_ == nullptr)
        return;
    SetCoalescableTimer(window_, kId, static_cast<UINT>(std::max<long long>(delay.count(), 1)),
                        nullptr, TIMERV_NO_COALESCING);
}

void WindowTickTimer::startEvery(std::chrono::milliseconds interval) {
    if (window_ == nullptr)
        return;
    SetTimer(window_, kId, static_cast<UINT>(interval.count()), nullptr);
}

bool WindowTickTimer::timerMessage(WPARAM id) const {
    if (id != kId)
        return false;
    fired();
    return true;
}

} // namespace platform
