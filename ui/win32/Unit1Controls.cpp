// The main window's fields drawn from the model's values, and a user's change reported; what
// else the model shows in them.
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

core::MainWindowValues TForm1::readValues() const {
    // What no control holds stays as the model has it.
    core::MainWindowValues values = model_.values();
    values.row = StringGrid1->selectedRow();
    values.tab = PageControl1->selected();
    values.kind = RadioButton1->checked()   ? core::BookingKind::Once
                  : RadioButton2->checked() ? core::BookingKind::Daily
                                            : core::BookingKind::Weekly;
    values.day = toLocalDays(MonthCalendar1->selected());
    for (core::Selector selector : core::kSelectors)
        values.select(selector, comboBox(selector).index());
    values.elapsedHours = SpinEdit1->value();
    values.thresholdPercent = SpinEdit2->value();
    values.durationMinutes = SpinEdit3->value();
    values.job.programTicked = CheckBox1->checked();
    values.job.program = ComboBox7->text();
    values.job.networkTicked = CheckBox2->checked();
    values.job.networkRate = SpinEdit4->value();
    values.job.networkMinutes = SpinEdit5->value();
    values.job.noInputTicked = CheckBox3->checked();
    values.job.noInputMinutes = SpinEdit6->value();
    return values;
}

void TForm1::reportValues() {
    if (drawing_)
        return;
    const core::MainWindowValues values = readValues();
    if (values != model_.values())
        model_.valuesChanged(values);
}

void TForm1::showValues(const core::MainWindowValues& values) {
    if (!built())
        return;
    drawing_ = true;
    if (PageControl1->selected() != values.tab) {
        PageControl1->select(values.tab);
        showSheet(values.tab);
    }
    RadioButton1->setChecked(values.kind == core::BookingKind::Once);
    RadioButton2->setChecked(values.kind == core::BookingKind::Daily);
    RadioButton3->setChecked(values.kind == core::BookingKind::Weekly);
    if (toLocalDays(MonthCalendar1->selected()) != values.day)
        MonthCalendar1->select(toSystemTime(values.day));
    for (core::Selector selector : core::kSelectors) {
        // An item typed but not picked is no index: its text stays while it is none.
        ComboBox& box = comboBox(selector);
        if (box.index() != values.index(selector))
            box.select(values.index(selector));
    }
    setShown(ComboBox4->hwnd(), values.weekdaysShown());
    if (StringGrid1->selectedRow() != values.row)
        StringGrid1->selectRow(values.row);
    // A field being typed in keeps its text while it means the value.
    for (const auto& [spin, value] : {std::pair{SpinEdit1.get(), values.elapsedHours},
                                      std::pair{SpinEdit2.get(), values.thresholdPercent},
                                      std::pair{SpinEdit3.get(), values.durationMinutes}}) {
        if (spin->value() != value)
            spin->setValue(value);
    }
    drawJobFields(values.job);
    drawing_ = false;
}

void TForm1::showClock(const std::string& text) {
    if (built())
        Label2->setText(text);
}

void TForm1::showUsage(const std::string& text) {
    if (built())
        Label13->setText(text);
}

void TForm1::showRemainingTime(std::optional<core::RemainingTime> remaining) {
    if (!built())
        return;
    if (remaining) {
        Label8->setText(std::to_string(remaining->days));
        Label9->setText(std::to_string(remaining->hours));
        Label10->setText(std::to_string(remaining->minutes));
    }
    for (const auto* label : {Label8.get(), Label9.get(), Label10.get()})
        setShown(label->hwnd(), remaining.has_value());
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

void TForm1::addTrayIcon() {
    TrayIcon1->add();
    SetTimer(handle(), kTrayHostWait, core::design::kTrayHostWaitMs, nullptr);
}

void TForm1::applyLocks(const core::ControlLocks& locks) {
    if (!built())
        return;
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
    if (built())
        StringGrid1->refresh();
}

} // namespace ui
