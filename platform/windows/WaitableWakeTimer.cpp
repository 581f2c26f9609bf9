#include "WaitableWakeTimer.h"

namespace platform {

namespace {

// The clocks skip at most a day (Samoa, 2011).
constexpr int kLongestSkipMinutes = 24 * 60;

SYSTEMTIME systemTime(core::LocalTime moment) {
    using namespace std::chrono;
    const core::LocalDays day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss clock{moment - day};
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time.wHour = static_cast<WORD>(clock.hours().count());
    time.wMinute = static_cast<WORD>(clock.minutes().count());
    time.wSecond = static_cast<WORD>(clock.seconds().count());
    time.wMilliseconds = static_cast<WORD>(clock.subseconds().count());
    return time;
}

bool sameClockReading(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

} // namespace

std::optional<std::int64_t> utcFileTime(core::LocalTime moment) {
    DYNAMIC_TIME_ZONE_INFORMATION dynamicZone{};
    if (GetDynamicTimeZoneInformation(&dynamicZone) == TIME_ZONE_ID_INVALID)
        return std::nullopt;
    // A reading the clocks skip (spring forward) has no moment of its own: the first minute after
    // it that the clocks show stands for it.
    for (int skipped = 0; skipped <= kLongestSkipMinutes; ++skipped) {
        const SYSTEMTIME local =
            systemTime(skipped == 0 ? moment
                                    : std::chrono::floor<std::chrono::minutes>(moment) +
                                          std::chrono::minutes(skipped));
        // The rules of the reading's own year, not this year's.
        TIME_ZONE_INFORMATION zone{};
        SYSTEMTIME utc{};
        SYSTEMTIME back{};
        FILETIME file{};
        if (!GetTimeZoneInformationForYear(local.wYear, &dynamicZone, &zone) ||
            !TzSpecificLocalTimeToSystemTime(&zone, &local, &utc) ||
            !SystemTimeToTzSpecificLocalTime(&zone, &utc, &back))
            return std::nullopt;
        if (!sameClockReading(local, back))
            continue;
        if (!SystemTimeToFileTime(&utc, &file))
            return std::nullopt;
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(file.dwHighDateTime) << 32) |
                                         file.dwLowDateTime);
    }
    return std::nullopt;
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
