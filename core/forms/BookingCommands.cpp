#include "BookingCommands.h"

#include "FormDesign.h"
#include "GridCells.h"
#include "SelectorItems.h"
#include "core/book/Booking.h"
#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <algorithm>
#include <stdexcept>

namespace core {

BookingCommands::BookingCommands(TableEditor& editor, const Clock& clock, Prompter& prompter,
                                 MainWindowValues& values, BookingControls& controls)
    : editor_(editor), table_(editor.table()), clock_(clock), prompter_(prompter), values_(values),
      controls_(controls) {}

void BookingCommands::SaveReservations() {
    editor_.save();
}

void BookingCommands::Button2Click() {
    const int row = values_.row;
    if (row == 0)
        return;
    const int tab = values_.tab;
    const bool booking = tab == kTimeTab || tab == kElapsedTab;
    runGuarded(prompter_, [&] {
        // Refused before the question, so that a booking that cannot be made costs no row.
        if (auto refusal = booking ? bookingRefusal(tab) : std::nullopt) {
            prompter_.inform(*refusal);
            return;
        }
        // Only the two booking tabs book, so only they ask.
        const bool confirmed = booking && (!table_.isOccupied(row) ||
                                           prompter_.ask(tr("予約が削除されます。いいですか。")));
        if (tab == kTimeTab && confirmed) {
            // Decided after the question, whose loop lets a tick empty the row. A stopped
            // reservation booked anew stays stopped.
            bookClockTime(row, table_.isOccupied(row) ? std::nullopt : std::optional(kStateActive));
        } else if (tab == kElapsedTab && confirmed) {
            FillElapsedReservation();
        }
        SaveReservations();
        if (confirmed)
            controls_.confirm(fill(tr("予約しました。{0}"), {rowSpeech(table_, row)}));
    });
}

std::optional<std::string> BookingCommands::bookingRefusal(int tab) const {
    const auto missing = [this](Selector selector, std::string_view name) {
        return values_.selectedItem(selector).empty()
                   ? std::optional(
                         fill(tr("{0}が選択されていません。選択して下さい。"), {tr(name)}))
                   : std::nullopt;
    };
    if (values_.selectedItem(Selector::Action).empty())
        return tr("動作が選択されていません。動作を選択して下さい。");
    if (tab == kElapsedTab)
        return missing(Selector::ElapsedMinutes, design::form1::names::ComboBox6);
    for (const auto& [selector, name] :
         {std::pair{Selector::Period, design::form1::names::ComboBox1},
          std::pair{Selector::Hour, design::form1::names::ComboBox2},
          std::pair{Selector::Minute, design::form1::names::ComboBox3}}) {
        if (auto refusal = missing(selector, name))
            return refusal;
    }
    if (values_.kind == BookingKind::Weekly)
        return missing(Selector::Weekdays, design::form1::names::ComboBox4);
    if (values_.kind != BookingKind::Once)
        return std::nullopt;
    // A moment the scans have passed would never fire; the next one would only remove it.
    const std::string date = formatShortDate(values_.day);
    const std::string key = triggerKey(
        hour24Text(values_.selectedItem(Selector::Period), values_.selectedItem(Selector::Hour)),
        minuteText(values_.selectedItem(Selector::Minute)));
    const auto moment = parseDateTime(date + " " + key);
    if (moment && *moment < clock_.now())
        return fill(tr("{0} {1} は過ぎています。これから先の日時を選択して下さい。"),
                    {date, formatHourMinute(*moment)});
    return std::nullopt;
}

void BookingCommands::bookClockTime(int row, std::optional<std::string_view> state) {
    std::string dateCell;
    switch (values_.kind) {
    case BookingKind::Once:
        dateCell = formatShortDate(values_.day);
        break;
    case BookingKind::Daily:
        dateCell = kEveryDay;
        break;
    case BookingKind::Weekly:
        dateCell = std::string(kEveryWeek) + values_.selectedItem(Selector::Weekdays);
        break;
    }
    editor_.book(row,
                 {dateCell, values_.selectedItem(Selector::Period),
                  values_.selectedItem(Selector::Hour), values_.selectedItem(Selector::Minute)},
                 values_.selectedItem(Selector::Action), state);
}

void BookingCommands::FillElapsedReservation() {
    const int row = values_.row;
    const int hours = std::clamp(values_.elapsedHours, 0, kElapsedHoursMaximum);
    const ElapsedBooking booking =
        elapsedBooking(clock_.now(), hours, values_.selectedItem(Selector::ElapsedMinutes));
    editor_.book(row, booking, values_.selectedItem(Selector::Action), kStateActive);
}

void BookingCommands::StringGrid1DblClick() {
    const int row = values_.row;
    if (row == 0)
        return;
    runGuarded(prompter_, [&] {
        values_.tab = kTimeTab;
        const std::string& dateCell = table_.cell(DateCell, row);
        if (!dateCell.starts_with(kRecurringMark)) {
            values_.kind = BookingKind::Once;
            if (dateCell.empty()) {
                controls_.showValues(values_);
                prompter_.inform(
                    tr("予約されていません。予約されている行でダブルクリックして下さい。"));
            } else {
                auto day = parseShortDate(dateCell);
                if (!day)
                    throw std::runtime_error(fill(tr("'{0}' は日付ではありません"), {dateCell}));
                values_.day = *day;
            }
        } else {
            values_.day = std::chrono::floor<std::chrono::days>(clock_.now());
            if (dateCell.starts_with(kEveryDay)) {
                values_.kind = BookingKind::Daily;
            } else if (dateCell.starts_with(kEveryWeek)) {
                values_.kind = BookingKind::Weekly;
                values_.selectEqualItem(Selector::Weekdays,
                                        std::string_view(dateCell).substr(kEveryWeek.size()));
            }
        }
        values_.selectEqualItem(Selector::Period, table_.cell(PeriodCell, row));
        values_.selectEqualItem(Selector::Hour, table_.cell(HourCell, row));
        values_.selectEqualItem(Selector::Minute, table_.cell(MinuteCell, row));
        values_.selectEqualItem(Selector::Action, table_.cell(ActionCell, row));
    });
    controls_.showValues(values_);
}

void BookingCommands::setRowState(std::string_view state) {
    const int row = values_.row;
    if (row == 0)
        return;
    // A row that is not complete is left as it is, without a word.
    if (editor_.setState(row, state))
        return;
    runGuarded(prompter_, [this] { SaveReservations(); });
}

void BookingCommands::N6Click() {
    setRowState(kStateStopped);
}

void BookingCommands::N7Click() {
    setRowState(kStateActive);
}

void BookingCommands::Delete1Click() {
    const int row = values_.row;
    if (row == 0)
        return;
    // An empty row is saved as it is.
    editor_.clear(row);
    runGuarded(prompter_, [this] { SaveReservations(); });
}

} // namespace core
