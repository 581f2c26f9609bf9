// The main window's controls as the shared window model reads and sets them.
#include "Unit1.h"
#include "Unit2.h"

#include <stdexcept>

namespace ui {

namespace {

core::LocalDays toLocalDays(const SYSTEMTIME& date) {
    using namespace std::chrono;
    return core::LocalDays{year{date.wYear} / month{date.wMonth} / day{date.wDay}};
}

SYSTEMTIME toSystemTime(core::LocalDays day) {
    const std::chrono::year_month_day date{day};
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time.wDayOfWeek = static_cast<WORD>(std::chrono::weekday{day}.c_encoding());
    return time;
}

} // namespace

void TForm1::showWeekdays(bool shown) {
    setShown(ComboBox4->hwnd(), shown);
}

void TForm1::showClock(const std::string& text) {
    Label2->setText(text);
}

void TForm1::showUsage(const std::string& text) {
    Label13->setText(text);
}

void TForm1::showRemainingTime(std::optional<core::RemainingTime> remaining) {
    if (remaining) {
        Label8->setText(std::to_string(remaining->days));
        Label9->setText(std::to_string(remaining->hours));
        Label10->setText(std::to_string(remaining->minutes));
    }
    for (const auto* label : {Label8.get(), Label9.get(), Label10.get()})
        setShown(label->hwnd(), remaining.has_value());
}

int TForm1::thresholdPercent() const {
    return SpinEdit2->value();
}

int TForm1::durationMinutes() const {
    return SpinEdit3->value();
}

void TForm1::setThresholdPercent(int percent) {
    SpinEdit2->setValue(percent);
}

void TForm1::setDurationMinutes(int minutes) {
    SpinEdit3->setValue(minutes);
}

ComboBox& TForm1::comboBox(core::Selector selector) const {
    switch (selector) {
    case core::Selector::Period:
        return *ComboBox1;
    case core::Selector::Hour:
        return *ComboBox2;
    case core::Selector::Minute:
        return *ComboBox3;
    case core::Selector::Weekdays:
        return *ComboBox4;
    case core::Selector::Action:
        return *ComboBox5;
    case core::Selector::ElapsedMinutes:
        break;
    }
    return *ComboBox6;
}

int TForm1::itemIndex(core::Selector selector) const {
    return comboBox(selector).index();
}

void TForm1::selectIndex(core::Selector selector, int index) {
    comboBox(selector).select(index);
}

int TForm1::selectedRow() const {
    return StringGrid1->selectedRow();
}

void TForm1::selectRow(int row) {
    StringGrid1->selectRow(row);
}

void TForm1::addTrayIcon() {
    TrayIcon1->add();
    SetTimer(handle(), kTrayHostWait, core::design::kTrayHostWaitMs, nullptr);
}

void TForm1::applyLocks(const core::ControlLocks& locks) {
    for (HWND control :
         {SpinEdit2->edit(), SpinEdit2->arrows(), SpinEdit3->edit(), SpinEdit3->arrows()})
        EnableWindow(control, locks.watchFields);
    enableJobFields(locks.watchFields);
    StringGrid1->setLocked(!locks.grid);
    gridReason_ = locks.grid ? std::string() : locks.gridReason;
    readers_.describe(StringGrid1->hwnd(),
                      gridReason_.empty() ? core::tr(core::design::form1::kGridHint) : gridReason_);
    if (locks.bookButton)
        EnableWindow(Button2->hwnd(), *locks.bookButton);
    const std::string fieldsReason = locks.bookingFields ? std::string() : locks.gridReason;
    for (HWND field :
         {MonthCalendar1->hwnd(), ComboBox1->hwnd(), ComboBox2->hwnd(), ComboBox3->hwnd(),
          ComboBox4->hwnd(), RadioButton1->hwnd(), RadioButton2->hwnd(), RadioButton3->hwnd(),
          SpinEdit1->edit(), SpinEdit1->arrows(), ComboBox6->hwnd()}) {
        EnableWindow(field, locks.bookingFields);
        readers_.describe(field, fieldsReason);
    }
}

void TForm1::showCountdown() {
    if (countdown_ == nullptr)
        throw std::logic_error("no countdown dialog attached to the main window");
    countdown_->showCountdown();
}

void TForm1::showTable() {
    StringGrid1->refresh();
}

int TForm1::tabIndex() const {
    return PageControl1->selected();
}

void TForm1::showTab(int index) {
    PageControl1->select(index);
    showSheet(index);
}

core::BookingKind TForm1::bookingKind() const {
    if (RadioButton1->checked())
        return core::BookingKind::Once;
    return RadioButton2->checked() ? core::BookingKind::Daily : core::BookingKind::Weekly;
}

void TForm1::setBookingKind(core::BookingKind kind) {
    RadioButton1->setChecked(kind == core::BookingKind::Once);
    RadioButton2->setChecked(kind == core::BookingKind::Daily);
    RadioButton3->setChecked(kind == core::BookingKind::Weekly);
}

core::LocalDays TForm1::calendarDate() const {
    return toLocalDays(MonthCalendar1->selected());
}

void TForm1::setCalendarDate(core::LocalDays day) {
    MonthCalendar1->select(toSystemTime(day));
}

int TForm1::elapsedHours() const {
    return SpinEdit1->value();
}

} // namespace ui
