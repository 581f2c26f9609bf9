#include "WaitableWakeTimer.h"

namespace platform {

std::optional<std::int64_t> utcFileTime(core::LocalTime moment) {
    using namespace std::chrono;
    const core::LocalDays day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss clock{moment - day};
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    local.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    local.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    local.wHour = static_cast<WORD>(clock.hours().count());
    local.wMinute = static_cast<WORD>(clock.minutes().count());
    local.wSecond = static_cast<WORD>(clock.seconds().count());
    local.wMilliseconds = static_cast<WORD>(clock.subseconds().count());
    SYSTEMTIME utc{};
    FILETIME file{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
        !SystemTimeToFileTime(&utc, &file))
        return std::nullopt;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(file.dwHighDateTime) << 32) |
                                     file.dwLowDateTime);
}

WaitableWakeTimer::WaitableWakeTimer() : timer_(CreateWaitableTimerW(nullptr, TRUE, nullptr)) {}

WaitableWakeTimer::~WaitableWakeTimer() {
    if (timer_ != nullptr) {
        CancelWaitableTimer(timer_);
        CloseHandle(timer_);
    }
}

void WaitableWakeTimer::wakeAt(std::optional<core::LocalTime> moment) {
    if (timer_ == nullptr)
        return;
    const std::optional<std::int64_t> due = moment ? utcFileTime(*moment) : std::nullopt;
    if (!due) {
        CancelWaitableTimer(timer_);
        dueTime_.reset();
        return;
    }
    // A positive due time is absolute; resume set asks the system to wake for it.
    LARGE_INTEGER when;
    when.QuadPart = *due;
    if (SetWaitableTimer(timer_, &when, 0, nullptr, nullptr, TRUE))
        dueTime_ = due;
}

} // namespace platform
