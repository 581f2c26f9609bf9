#include "BookingCommands.h"

#include "SelectorItems.h"
#include "core/book/Booking.h"
#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <algorithm>
#include <stdexcept>

namespace core {

BookingCommands::BookingCommands(TableEditor& editor, const Clock& clock, Prompter& prompter,
                                 BookingControls& controls)
    : editor_(editor), table_(editor.table()), clock_(clock), prompter_(prompter),
      controls_(controls) {}

std::string BookingControls::selectedItem(Selector selector) const {
    const auto items = selectorItems(selector);
    const int index = itemIndex(selector);
    return index < 0 || index >= static_cast<int>(items.size())
               ? std::string()
               : items[static_cast<std::size_t>(index)];
}

void BookingControls::selectEqualItem(Selector selector, std::string_view text) {
    const auto items = selectorItems(selector);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found != items.end())
        selectIndex(selector, static_cast<int>(found - items.begin()));
}

void BookingCommands::SaveReservations() {
    editor_.save();
}

void BookingCommands::Button2Click() {
    const int row = controls_.selectedRow();
    if (row == 0)
        return;
    const int tab = controls_.tabIndex();
    const bool booking = tab == kTimeTab || tab == kElapsedTab;
    runGuarded(prompter_, [&] {
        if (booking && controls_.selectedItem(Selector::Action).empty()) {
            prompter_.inform(tr("動作が選択されていません。動作を選択して下さい。"));
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
    });
}

void BookingCommands::bookClockTime(int row, std::optional<std::string_view> state) {
    std::string dateCell;
    switch (controls_.bookingKind()) {
    case BookingKind::Once:
        dateCell = formatShortDate(controls_.calendarDate());
        break;
    case BookingKind::Daily:
        dateCell = kEveryDay;
        break;
    case BookingKind::Weekly:
        dateCell = std::string(kEveryWeek) + controls_.selectedItem(Selector::Weekdays);
        break;
    }
    editor_.book(row,
                 {dateCell, controls_.selectedItem(Selector::Period),
                  controls_.selectedItem(Selector::Hour), controls_.selectedItem(Selector::Minute)},
                 controls_.selectedItem(Selector::Action), state);
}

void BookingCommands::FillElapsedReservation() {
    const int row = controls_.selectedRow();
    const int hours = std::clamp(controls_.elapsedHours(), 0, kElapsedHoursMaximum);
    const ElapsedBooking booking =
        elapsedBooking(clock_.now(), hours, controls_.selectedItem(Selector::ElapsedMinutes));
    editor_.book(row, booking, controls_.selectedItem(Selector::Action), kStateActive);
}

void BookingCommands::StringGrid1DblClick() {
    const int row = controls_.selectedRow();
    if (row == 0)
        return;
    runGuarded(prompter_, [&] {
        controls_.showTab(kTimeTab);
        const std::string& dateCell = table_.cell(DateCell, row);
        if (!dateCell.starts_with(kRecurringMark)) {
            controls_.setBookingKind(BookingKind::Once);
            if (dateCell.empty()) {
                prompter_.inform(
                    tr("予約されていません。予約されている行でダブルクリックして下さい。"));
            } else {
                auto day = parseShortDate(dateCell);
                if (!day)
                    throw std::runtime_error(fill(tr("'{0}' は日付ではありません"), {dateCell}));
                controls_.setCalendarDate(*day);
            }
        } else {
            controls_.setCalendarDate(std::chrono::floor<std::chrono::days>(clock_.now()));
            if (dateCell.starts_with(kEveryDay)) {
                controls_.setBookingKind(BookingKind::Daily);
            } else if (dateCell.starts_with(kEveryWeek)) {
                controls_.setBookingKind(BookingKind::Weekly);
                controls_.selectEqualItem(Selector::Weekdays,
                                          std::string_view(dateCell).substr(kEveryWeek.size()));
            }
        }
        controls_.selectEqualItem(Selector::Period, table_.cell(PeriodCell, row));
        controls_.selectEqualItem(Selector::Hour, table_.cell(HourCell, row));
        controls_.selectEqualItem(Selector::Minute, table_.cell(MinuteCell, row));
        controls_.selectEqualItem(Selector::Action, table_.cell(ActionCell, row));
    });
}

void BookingCommands::setRowState(std::string_view state) {
    const int row = controls_.selectedRow();
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
    const int row = controls_.selectedRow();
    if (row == 0)
        return;
    // An empty row is saved as it is.
    editor_.clear(row);
    runGuarded(prompter_, [this] { SaveReservations(); });
}

} // namespace core
