// The main window's fields: the model's values drawn into them, and a user's change reported.
#include "ProgramBox.h"
#include "QtDates.h"
#include "ReservationGridModel.h"
#include "Unit1.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

namespace ui {

QComboBox* TForm1::selectorBox(core::Selector selector) const {
    switch (selector) {
    case core::Selector::Period:
        return ComboBox1;
    case core::Selector::Hour:
        return ComboBox2;
    case core::Selector::Minute:
        return ComboBox3;
    case core::Selector::Weekdays:
        return ComboBox4;
    case core::Selector::Action:
        return ComboBox5;
    case core::Selector::ElapsedMinutes:
        break;
    }
    return ComboBox6;
}

core::MainWindowValues TForm1::readValues() const {
    // What no widget holds stays as the model has it.
    core::MainWindowValues values = model_.values();
    values.row = selectedRow();
    values.tab = PageControl1->currentIndex();
    values.kind = RadioButton1->isChecked()   ? core::BookingKind::Once
                  : RadioButton2->isChecked() ? core::BookingKind::Daily
                                              : core::BookingKind::Weekly;
    values.day = fromQDate(MonthCalendar1->selectedDate());
    for (core::Selector selector : core::kSelectors)
        values.select(selector, selectorBox(selector)->currentIndex());
    values.elapsedHours = SpinEdit1->value();
    values.thresholdPercent = SpinEdit2->value();
    values.durationMinutes = SpinEdit3->value();
    values.job.programTicked = CheckBox1->isChecked();
    values.job.program = ComboBox7->currentText().toStdString();
    values.job.networkTicked = CheckBox2->isChecked();
    values.job.networkRate = SpinEdit4->value();
    values.job.networkMinutes = SpinEdit5->value();
    values.job.noInputTicked = CheckBox3->isChecked();
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
    const QScopedValueRollback drawing(drawing_, true);
    PageControl1->setCurrentIndex(values.tab);
    QRadioButton* kind = values.kind == core::BookingKind::Once    ? RadioButton1
                         : values.kind == core::BookingKind::Daily ? RadioButton2
                                                                   : RadioButton3;
    kind->setChecked(true);
    MonthCalendar1->setSelectedDate(toQDate(values.day));
    for (core::Selector selector : core::kSelectors) {
        // An item typed but not picked is no index: its text stays while it is none.
        QComboBox* box = selectorBox(selector);
        if (box->currentIndex() != values.index(selector))
            box->setCurrentIndex(values.index(selector));
    }
    ComboBox4->setVisible(values.weekdaysShown());
    if (auto* items = qobject_cast<QStandardItemModel*>(ComboBox5->model()))
        for (int index = 0; index < static_cast<int>(values.actionsUnavailable.size()); ++index)
            if (QStandardItem* item = items->item(index)) {
                const std::string& why = values.actionsUnavailable[static_cast<std::size_t>(index)];
                item->setEnabled(why.empty());
                item->setToolTip(QString::fromStdString(why));
            }
    if (selectedRow() != values.row)
        selectRow(values.row);
    // A field being typed in keeps its text while it means the value.
    for (const auto& [spin, value] :
         {std::pair{SpinEdit1, values.elapsedHours}, std::pair{SpinEdit2, values.thresholdPercent},
          std::pair{SpinEdit3, values.durationMinutes}}) {
        if (spin->value() != value)
            spin->setValue(value);
    }
    drawJobFields(values.job);
}

void TForm1::connectFields() {
    const auto report = [this] { reportValues(); };
    connect(PageControl1, &QTabWidget::currentChanged, this, report);
    // Only the button turned on: the one turned off tells of no new kind.
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                reportValues();
        });
    connect(MonthCalendar1, &QCalendarWidget::selectionChanged, this, report);
    for (core::Selector selector : core::kSelectors)
        connect(selectorBox(selector), &QComboBox::currentIndexChanged, this, report);
    for (SpinEdit* spin : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6})
        connect(spin, &SpinEdit::changed, this, report);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3})
        connect(box, &QCheckBox::toggled, this, report);
    connect(ComboBox7, &QComboBox::currentTextChanged, this, report);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this, report);
}

} // namespace ui
