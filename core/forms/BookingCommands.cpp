#include "BookingCommands.h"

#include "core/book/Booking.h"
#include "core/book/Vocabulary.h"
#include "core/files/ReservationFile.h"
#include "core/text/DateTimeText.h"

#include <algorithm>
#include <stdexcept>

namespace core {

BookingCommands::BookingCommands(ReservationTable& table, const Clock& clock, Prompter& prompter,
                                 FileStore& files, std::string reservationPath,
                                 BookingControls& controls)
    : table_(table), clock_(clock), prompter_(prompter), files_(files),
      reservationPath_(std::move(reservationPath)), controls_(controls) {}

void BookingCommands::SaveReservations() {
    saveReservations(files_, reservationPath_, table_);
}

void BookingCommands::Button2Click() {
    const int row = controls_.selectedRow();
    if (row == 0)
        return;
    const int tab = controls_.tabIndex();
    const bool booking = tab == kTimeTab || tab == kElapsedTab;
    runGuarded(prompter_, [&] {
        if (booking && controls_.selectedItem(Selector::Action).empty()) {
            prompter_.inform("動作が選択されていません。動作を選択して下さい。");
            return;
        }
        const bool occupied = table_.isOccupied(row);
        // Only the two booking tabs book, so only they ask.
        const bool confirmed =
            booking && (!occupied || prompter_.ask("予約が削除されます。いいですか。"));
        if (tab == kTimeTab && confirmed) {
            bookClockTime(row);
            // A stopped reservation booked anew stays stopped.
            if (!occupied)
                table_.setCell(StateCell, row, std::string(kStateActive));
        } else if (tab == kElapsedTab && confirmed) {
            FillElapsedReservation();
            table_.setCell(StateCell, row, std::string(kStateActive));
        }
        SaveReservations();
    });
}

void BookingCommands::bookClockTime(int row) {
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
    table_.setCell(DateCell, row, dateCell);
    table_.setCell(PeriodCell, row, controls_.selectedItem(Selector::Period));
    table_.setCell(HourCell, row, controls_.selectedItem(Selector::Hour));
    table_.setCell(MinuteCell, row, controls_.selectedItem(Selector::Minute));
    table_.setCell(ActionCell, row, controls_.selectedItem(Selector::Action));
}

void BookingCommands::FillElapsedReservation() {
    const int row = controls_.selectedRow();
    const int hours = std::clamp(controls_.elapsedHours(), 0, kElapsedHoursMaximum);
    const ElapsedBooking booking =
        elapsedBooking(clock_.now(), hours, controls_.selectedItem(Selector::ElapsedMinutes));
    table_.setCell(DateCell, row, booking.dateCell);
    table_.setCell(PeriodCell, row, booking.periodCell);
    table_.setCell(HourCell, row, booking.hourCell);
    table_.setCell(MinuteCell, row, booking.minuteCell);
    table_.setCell(ActionCell, row, controls_.selectedItem(Selector::Action));
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
                    "予約されていません。予約されている行でダブルクリックして下さい。");
            } else {
                auto day = parseShortDate(dateCell);
                if (!day)
                    throw std::runtime_error("'" + dateCell + "' は日付ではありません");
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
    for (int column = DateCell; column <= ActionCell; ++column) {
        if (table_.cell(column, row).empty())
            return;
    }
    table_.setCell(StateCell, row, std::string(state));
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
    table_.clearRow(row);
    runGuarded(prompter_, [this] { SaveReservations(); });
}

} // namespace core
