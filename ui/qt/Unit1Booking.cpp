// The main window's booking commands: "予約する", the re-edit by double click and the row menu.
#include "QtDates.h"
#include "ReservationGridModel.h"
#include "Selectors.h"
#include "Unit1.h"
#include "core/Booking.h"
#include "core/DateTimeText.h"
#include "core/Prompter.h"
#include "core/Vocabulary.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <stdexcept>

namespace ui {

void TForm1::Button2Click() {
    const int row = selectedRow();
    if (row == 0)
        return;
    const int tab = PageControl1->currentIndex();
    core::runGuarded(services_.prompter, [&] {
        if ((tab == 0 || tab == 1) && ComboBox5->currentIndex() < 0) {
            services_.prompter.inform("動作が選択されていません。動作を選択して下さい。");
            return;
        }
        const bool occupied = table_.isOccupied(row);
        // Only the two booking tabs book, so only they ask.
        const bool confirmed =
            (tab == 0 || tab == 1) &&
            (!occupied || services_.prompter.ask("予約が削除されます。いいですか。"));
        if (tab == 0 && confirmed) {
            bookClockTime(row);
            if (!occupied)
                table_.setCell(core::StateCell, row, std::string(core::kStateActive));
        } else if (tab == 1 && confirmed) {
            FillElapsedReservation();
            table_.setCell(core::StateCell, row, std::string(core::kStateActive));
        }
        SaveReservations();
    });
    gridModel_->refresh();
}

void TForm1::bookClockTime(int row) {
    std::string dateCell;
    if (RadioButton1->isChecked())
        dateCell = core::formatShortDate(fromQDate(MonthCalendar1->selectedDate()));
    else if (RadioButton2->isChecked())
        dateCell = core::kEveryDay;
    else
        dateCell = std::string(core::kEveryWeek) + selectedItem(ComboBox4);
    table_.setCell(core::DateCell, row, dateCell);
    table_.setCell(core::PeriodCell, row, selectedItem(ComboBox1));
    table_.setCell(core::HourCell, row, selectedItem(ComboBox2));
    table_.setCell(core::MinuteCell, row, selectedItem(ComboBox3));
    table_.setCell(core::ActionCell, row, selectedItem(ComboBox5));
}

void TForm1::FillElapsedReservation() {
    const int row = selectedRow();
    const int hours = std::clamp(SpinEdit1->value(), SpinEdit1->minimum(), SpinEdit1->maximum());
    const core::ElapsedBooking booking =
        core::elapsedBooking(services_.clock.now(), hours, selectedItem(ComboBox6));
    table_.setCell(core::DateCell, row, booking.dateCell);
    table_.setCell(core::PeriodCell, row, booking.periodCell);
    table_.setCell(core::HourCell, row, booking.hourCell);
    table_.setCell(core::MinuteCell, row, booking.minuteCell);
    table_.setCell(core::ActionCell, row, selectedItem(ComboBox5));
}

void TForm1::StringGrid1DblClick() {
    const int row = selectedRow();
    if (row == 0)
        return;
    core::runGuarded(services_.prompter, [&] {
        PageControl1->setCurrentIndex(0);
        const std::string& dateCell = table_.cell(core::DateCell, row);
        if (!dateCell.starts_with(core::kRecurringMark)) {
            RadioButton1->setChecked(true);
            if (dateCell.empty()) {
                services_.prompter.inform(std::string(
                    "予約されていません。予約されている行でダブルクリックして下さい。"));
            } else {
                auto day = core::parseShortDate(dateCell);
                if (!day)
                    throw std::runtime_error("'" + dateCell + "' は日付ではありません");
                MonthCalendar1->setSelectedDate(toQDate(*day));
            }
        } else {
            MonthCalendar1->setSelectedDate(
                toQDate(std::chrono::floor<std::chrono::days>(services_.clock.now())));
            if (dateCell.starts_with(core::kEveryDay)) {
                RadioButton2->setChecked(true);
            } else if (dateCell.starts_with(core::kEveryWeek)) {
                RadioButton3->setChecked(true);
                selectEqualItem(ComboBox4, dateCell.substr(core::kEveryWeek.size()));
            }
        }
        selectEqualItem(ComboBox1, table_.cell(core::PeriodCell, row));
        selectEqualItem(ComboBox2, table_.cell(core::HourCell, row));
        selectEqualItem(ComboBox3, table_.cell(core::MinuteCell, row));
        selectEqualItem(ComboBox5, table_.cell(core::ActionCell, row));
    });
}

void TForm1::StringGrid1MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        PopupMenu2->popup(QCursor::pos());
}

void TForm1::setRowState(std::string_view state) {
    const int row = selectedRow();
    if (row == 0)
        return;
    for (int column = core::DateCell; column <= core::ActionCell; ++column) {
        if (table_.cell(column, row).empty())
            return;
    }
    table_.setCell(core::StateCell, row, std::string(state));
    core::runGuarded(services_.prompter, [this] { SaveReservations(); });
    gridModel_->refresh();
}

void TForm1::N6Click() {
    setRowState(core::kStateStopped);
}

void TForm1::N7Click() {
    setRowState(core::kStateActive);
}

void TForm1::Delete1Click() {
    const int row = selectedRow();
    if (row == 0)
        return;
    table_.clearRow(row);
    core::runGuarded(services_.prompter, [this] { SaveReservations(); });
    gridModel_->refresh();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    QWidget* cells = StringGrid1->viewport();
    QWidget* rowLabels = StringGrid1->verticalHeader()->viewport();
    QWidget* columnHeaders = StringGrid1->horizontalHeader()->viewport();
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        // Typed text would jump to a row by its cells' text; only navigation keys move.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return !text.isEmpty() && text.front().isPrint();
    }
    if (watched != cells && watched != rowLabels && watched != columnHeaders)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        StringGrid1MouseDown(press->button());
        // Only the left button selects, and only a row; the right one opens the row menu
        // without moving the selection.
        return press->button() != Qt::LeftButton || watched == columnHeaders;
    }
    if (event->type() == QEvent::MouseButtonRelease)
        return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            watched != columnHeaders)
            StringGrid1DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
