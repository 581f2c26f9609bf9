#include "SystemClock.h"

#include <ctime>

namespace platform {

using namespace std::chrono;

bool SystemClock::followZoneChanges() const {
    // localtime_r alone keeps the zone it first saw, but a laptop that travels changes zone
    // while the program runs. tzset re-reads the zone (a stat of /etc/localtime), so not for
    // every one of the many readings a tick takes.
    const auto now = std::chrono::steady_clock::now();
    if (zoneChecked_ && now - lastZoneCheck_ < zoneCheckInterval_)
        return false;
    tzset();
    lastZoneCheck_ = now;
    zoneChecked_ = true;
    return true;
}

core::LocalTime SystemClock::now() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (followZoneChanges() || ts.tv_sec != convertedSecond_) {
        tm local{};
        localtime_r(&ts.tv_sec, &local);
        year_month_day date{year{local.tm_year + 1900},
                            month{static_cast<unsigned>(local.tm_mon + 1)},
                            day{static_cast<unsigned>(local.tm_mday)}};
        // A leap second (tm_sec 60) is shown as the 59th.
        int second = local.tm_sec > 59 ? 59 : local.tm_sec;
        convertedLocal_ = core::LocalTime{core::LocalDays{date}} + hours{local.tm_hour} +
                          minutes{local.tm_min} + seconds{second};
        convertedSecond_ = ts.tv_sec;
    }
    return convertedLocal_ + milliseconds{ts.tv_nsec / 1'000'000};
}

} // namespace platform
