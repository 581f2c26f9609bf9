// The main window's booking commands, decided by the core, and the grid's mouse and keys.
#include "QtDates.h"
#include "ReservationGridModel.h"
#include "Selectors.h"
#include "Unit1.h"

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
#include <QToolTip>

namespace ui {

template <typename Command> void TForm1::runBookingCommand(Command command) {
    model_.runBooking(command);
    gridModel_->refresh();
}

void TForm1::Button2Click() {
    runBookingCommand(&core::BookingCommands::Button2Click);
}

void TForm1::StringGrid1DblClick() {
    if (gridUsable())
        runBookingCommand(&core::BookingCommands::StringGrid1DblClick);
}

bool TForm1::gridUsable() {
    if (gridReason_.empty())
        return true;
    // Readable but not to be changed: the reason where the pointer is, and to a reader.
    QToolTip::showText(QCursor::pos(), QString::fromStdString(gridReason_), StringGrid1);
    confirm(gridReason_);
    return false;
}

void TForm1::StringGrid1ContextPopup() {
    if (!gridUsable())
        return;
    const QModelIndex current = StringGrid1->currentIndex();
    const QRect cell =
        StringGrid1->visualRect(current.isValid() ? current : gridModel_->index(0, 0));
    PopupMenu2->popup(StringGrid1->viewport()->mapToGlobal(cell.bottomLeft()));
}

void TForm1::N6Click() {
    runBookingCommand(&core::BookingCommands::N6Click);
}

void TForm1::N7Click() {
    runBookingCommand(&core::BookingCommands::N7Click);
}

void TForm1::Delete1Click() {
    runBookingCommand(&core::BookingCommands::Delete1Click);
}

void TForm1::StringGrid1MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton && gridUsable())
        PopupMenu2->popup(QCursor::pos());
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    QWidget* cells = StringGrid1->viewport();
    QWidget* rowLabels = StringGrid1->verticalHeader()->viewport();
    QWidget* columnHeaders = StringGrid1->horizontalHeader()->viewport();
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The row menu and the re-edit from the keyboard, as the mouse opens them.
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            StringGrid1ContextPopup();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            StringGrid1DblClick();
            return true;
        }
        // Typed text would jump to a row by its cells' text; only navigation keys move.
        const QString text = key->text();
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
