#include "Vocabulary.h"

#include "ReservationTable.h"
#include "core/lang/Catalogue.h"
#include "core/text/Cp932.h"

namespace core {

const std::array<std::string_view, 12> kHourLabels{
    stored("０時"), stored("１時"), stored("２時"), stored("３時"), stored("４時"), stored("５時"),
    stored("６時"), stored("７時"), stored("８時"), stored("９時"), stored("10時"), stored("11時")};

const std::array<std::string_view, 10> kWeekdayItems{
    msg("日曜"), msg("月曜"), msg("火曜"),   msg("水曜"),   msg("木曜"),
    msg("金曜"), msg("土曜"), msg("月～金"), msg("月～土"), msg("土日")};

std::string shownWord(int column, std::string_view cell) {
    if (languageInUse() == kSourceLanguage || cell.empty())
        return std::string(cell);
    switch (column) {
    case DateCell:
        if (reservationKind(cell) == ReservationKind::Weekly && cell.size() > kEveryWeek.size())
            return fill(tr("毎週{0}"), {tr(cell.substr(kEveryWeek.size()))});
        return tr(cell);
    case HourCell:
        for (std::size_t hour = 0; hour < kHourLabels.size(); ++hour) {
            // Twelve, not naught, in a language whose clock counts one to twelve.
            if (cell == kHourLabels[hour])
                return fill(tr("{0}時"), {std::to_string(hour == 0 ? 12 : hour)});
        }
        return std::string(cell);
    case MinuteCell:
        return cell.size() > 2 && cell.substr(2) == stored("分")
                   ? fill(tr("{0}分"), {std::string(cell.substr(0, 2))})
                   : std::string(cell);
    case StateCell:
        // The menu's verbs share the words; a row's state is shown as a state.
        if (cell == kStateActive)
            return tr("稼働中");
        if (cell == kStateStopped)
            return tr("停止中");
        return std::string(cell);
    default:
        return tr(cell);
    }
}

std::string timeWords(const std::string& period, const std::string& hour,
                      const std::string& minute) {
    if (languageInUse() == kSourceLanguage)
        return period + hour + minute;
    return period + " " + hour + " " + minute;
}

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
