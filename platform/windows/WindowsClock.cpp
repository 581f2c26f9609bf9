#include "WindowsClock.h"

#include <windows.h>

namespace platform {

core::LocalTime WindowsClock::now() const {
    using namespace std::chrono;
    SYSTEMTIME t;
    GetLocalTime(&t);
    const year_month_day date{year{t.wYear}, month{t.wMonth}, day{t.wDay}};
    return core::LocalTime{core::LocalDays{date}} + hours{t.wHour} + minutes{t.wMinute} +
           seconds{t.wSecond} + milliseconds{t.wMilliseconds};
}

} // namespace platform
