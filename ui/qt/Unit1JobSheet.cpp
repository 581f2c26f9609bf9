// The main window's 終了待ち sheet: the conditions of the watch for the end of a job.
#include "Design.h"
#include "ProgramBox.h"
#include "Unit1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace ui {

namespace {

namespace d = core::design::form1;

QCheckBox* makeCheckBox(QWidget* parent, const core::design::Control& design) {
    auto* box = new QCheckBox(qTr(design.text), parent);
    box->move(qRect(design.place).topLeft());
    box->adjustSize();
    return box;
}

} // namespace

void TForm1::buildJobSheet() {
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet4, qTr(d::kSheetCaptions[3]));
    CheckBox1 = makeCheckBox(TabSheet4, d::CheckBox1);
    ComboBox7 = new ProgramBox(TabSheet4);
    ComboBox7->setGeometry(qRect(d::ComboBox7));
    ComboBox7->setToolTip(qTr(d::kProgramHint));
    CheckBox2 = makeCheckBox(TabSheet4, d::CheckBox2);
    // Each field is as wide as its largest value needs; what follows it moves along.
    SpinEdit4 = makeSpin(TabSheet4, d::SpinEdit4, after(CheckBox2, 2));
    Label17 = makeLabel(TabSheet4, d::Label17, after(SpinEdit4, 1));
    SpinEdit5 = makeSpin(TabSheet4, d::SpinEdit5, after(Label17, 2));
    Label18 = makeLabel(TabSheet4, d::Label18, after(SpinEdit5, 1));
    CheckBox3 = makeCheckBox(TabSheet4, d::CheckBox3);
    SpinEdit6 = makeSpin(TabSheet4, d::SpinEdit6, after(CheckBox3, 2));
    Label19 = makeLabel(TabSheet4, d::Label19, after(SpinEdit6, 1));
    Button6 = makeButton(TabSheet4, d::Button6);
    Button7 = makeButton(TabSheet4, d::Button7);

    connect(Button6, &QPushButton::clicked, this, &TForm1::startJobWatchClick);
    connect(Button7, &QPushButton::clicked, this, &TForm1::stopJobWatchClick);
    connect(ComboBox7, &ProgramBox::opening, this, [this] { model_.programListOpens(); });
}

void TForm1::startJobWatchClick() {
    model_.startJobWatchClick();
}

void TForm1::stopJobWatchClick() {
    model_.stopJobWatchClick();
}

void TForm1::drawJobFields(const core::JobFields& fields) {
    CheckBox1->setChecked(fields.programTicked);
    if (ComboBox7->currentText().toStdString() != fields.program)
        ComboBox7->setEditText(QString::fromStdString(fields.program));
    CheckBox2->setChecked(fields.networkTicked);
    // A field being typed in keeps its text while it means the value.
    if (SpinEdit4->value() != fields.networkRate)
        SpinEdit4->setValue(fields.networkRate);
    if (SpinEdit5->value() != fields.networkMinutes)
        SpinEdit5->setValue(fields.networkMinutes);
    CheckBox3->setChecked(fields.noInputTicked);
    if (SpinEdit6->value() != fields.noInputMinutes)
        SpinEdit6->setValue(fields.noInputMinutes);
    noInputOffered_ = fields.noInputUnavailable.empty();
    const QString hint = QString::fromStdString(fields.noInputUnavailable);
    for (QWidget* field : std::initializer_list<QWidget*>{CheckBox3, SpinEdit6}) {
        field->setToolTip(hint);
        field->setAccessibleDescription(hint);
    }
    enableJobFields(CheckBox1->isEnabled());
}

void TForm1::offerPrograms(const std::vector<std::string>& names) {
    if (!built())
        return;
    // The typed text stays: replacing the items must not replace it, nor be taken for a change.
    const QScopedValueRollback drawing(drawing_, true);
    const QString typed = ComboBox7->currentText();
    ComboBox7->clear();
    for (const std::string& name : names)
        ComboBox7->addItem(QString::fromStdString(name));
    ComboBox7->setCurrentIndex(ComboBox7->findText(typed));
    ComboBox7->setEditText(typed);
}

void TForm1::enableJobFields(bool enabled) {
    for (QWidget* field :
         std::initializer_list<QWidget*>{CheckBox1, ComboBox7, CheckBox2, SpinEdit4, SpinEdit5})
        field->setEnabled(enabled);
    CheckBox3->setEnabled(enabled && noInputOffered_);
    SpinEdit6->setEnabled(enabled && noInputOffered_);
}

} // namespace ui
