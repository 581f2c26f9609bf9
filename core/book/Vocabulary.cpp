#include "Vocabulary.h"

#include "core/lang/Catalogue.h"
#include "core/text/Cp932.h"

namespace core {

const std::array<std::string_view, 12> kHourLabels{
    stored("０時"), stored("１時"), stored("２時"), stored("３時"), stored("４時"), stored("５時"),
    stored("６時"), stored("７時"), stored("８時"), stored("９時"), stored("10時"), stored("11時")};

const std::array<std::string_view, 10> kWeekdayItems{
    msg("日曜"), msg("月曜"), msg("火曜"),   msg("水曜"),   msg("木曜"),
    msg("金曜"), msg("土曜"), msg("月～金"), msg("月～土"), msg("土日")};

ReservationKind reservationKind(std::string_view dateCell) {
    if (!dateCell.starts_with(kRecurringMark))
        return ReservationKind::OneTime;
    if (dateCell.starts_with(kEveryDay))
        return ReservationKind::Daily;
    if (dateCell.starts_with(kEveryWeek))
        return ReservationKind::Weekly;
    return ReservationKind::Unknown;
}

std::string hour24Text(std::string_view periodCell, std::string_view hourCell) {
    int offset;
    if (periodCell == kMorning)
        offset = 0;
    else if (periodCell == kAfternoon)
        offset = 12;
    else
        return {};
    for (std::size_t h = 0; h < kHourLabels.size(); ++h) {
        if (hourCell == kHourLabels[h])
            return std::to_string(offset + static_cast<int>(h));
    }
    return {};
}

std::string minuteText(std::string_view minuteCell) {
    return cp932Prefix(minuteCell, 2);
}

std::string triggerKey(std::string_view hour24, std::string_view minute) {
    std::string key;
    key.append(hour24).append(":").append(minute).append(":00");
    return key;
}

std::string oneTimeDateTimeText(std::string_view dateCell, std::string_view hour24,
                                std::string_view minute) {
    std::string text(dateCell);
    text.append(" ").append(triggerKey(hour24, minute));
    return text;
}

} // namespace core
