#pragma once

#include "core/base/LocalTime.h"

#include <QDate>

namespace ui {

inline QDate toQDate(core::LocalDays day) {
    std::chrono::year_month_day ymd{day};
    return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day())));
}

inline core::LocalDays fromQDate(QDate date) {
    using namespace std::chrono;
    return core::LocalDays{year{date.year()} / month{static_cast<unsigned>(date.month())} /
                           day{static_cast<unsigned>(date.day())}};
}

} // namespace ui
