#include "Unit3.h"

#include "Centring.h"
#include "Design.h"
#include "Fonts.h"
#include "ReaderRole.h"
#include "core/forms/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <algorithm>

namespace ui {

namespace {

namespace d = core::design::form3;

// As designed, or as wide as a longer word needs.
QCheckBox* makeCheckBox(QWidget* parent, const core::design::Control& design) {
    auto* box = new QCheckBox(qTr(design.text), parent);
    QRect place = qRect(design.place);
    place.setWidth(std::max(place.width(), box->sizeHint().width()));
    box->setGeometry(place);
    return box;
}

} // namespace

TForm3::TForm3(core::SettingsDialog::Services services, QWidget* parent)
    : QWidget(parent), model_(std::move(services)) {
    setWindowTitle(qTr(d::kTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(programFont());
    setReaderRole(*this, QAccessible::Dialog);
    const core::design::Size client = core::design::widened(d::kClient);
    setFixedSize(client.width, client.height);
}

void TForm3::setVisible(bool visible) {
    if (visible)
        buildWidgets();
    QWidget::setVisible(visible);
}

void TForm3::buildWidgets() {
    if (Button1 != nullptr)
        return;
    Label2 = makeLabel(this, d::Label2);
    paintText(Label2, d::kLabel2Colour);

    GroupBox1 = new QGroupBox(qTr(d::GroupBox1.text), this);
    GroupBox1->setGeometry(qRect(d::GroupBox1.place));
    // The switches in their order, each followed by what goes with it; the focus moves in this
    // order.
    for (const auto& entry : d::kSwitches) {
        QCheckBox* box = makeCheckBox(GroupBox1, entry.box);
        switches_.push_back(box);
        if (entry.member == &core::Settings::TASKICOchange) {
            box->setToolTip(qTr(d::kCheckBox3Hint));
            SpinEdit1 = new SpinEdit(d::SpinEdit1.range, GroupBox1);
            SpinEdit1->setGeometry(qRect(d::SpinEdit1.place));
            SpinEdit1->setValue(d::SpinEdit1.value);
            Label1 = makeLabel(GroupBox1, d::Label1);
            CheckBox4 = makeCheckBox(GroupBox1, d::CheckBox4);
        } else if (entry.member == &core::Settings::NOTICEchange) {
            SpinEdit2 = new SpinEdit(d::SpinEdit2.range, GroupBox1);
            QRect minutes = qRect(d::SpinEdit2.place);
            minutes.moveLeft(std::max(minutes.left(), after(box, 2)));
            SpinEdit2->setGeometry(minutes);
            SpinEdit2->setValue(d::SpinEdit2.value);
            Label3 = makeLabel(GroupBox1, d::Label3, after(SpinEdit2, 5));
        } else if (entry.member == &core::Settings::DEFERchange) {
            Label5 = makeLabel(GroupBox1, d::Label5);
            Edit1 = new QLineEdit(GroupBox1);
            Edit1->setGeometry(qRect(d::Edit1));
            Label5->setBuddy(Edit1);
            SpinEdit3 = new SpinEdit(d::SpinEdit3.range, GroupBox1);
            SpinEdit3->setGeometry(qRect(d::SpinEdit3.place));
            SpinEdit3->setValue(d::SpinEdit3.value);
            Label6 = makeLabel(GroupBox1, d::Label6);
        } else if (entry.member == &core::Settings::WAKEchange) {
            // Waking the machine takes the system's real-time clock alarm, which only an
            // administrator can set on Linux.
            box->setEnabled(false);
            box->setToolTip(qTr(d::kCheckBox6Unavailable));
        }
    }
    CheckBox1 = switchFor(&core::Settings::CPUchange);
    CheckBox2 = switchFor(&core::Settings::BEEPchange);
    CheckBox3 = switchFor(&core::Settings::TASKICOchange);
    CheckBox5 = switchFor(&core::Settings::NOTICEchange);
    CheckBox6 = switchFor(&core::Settings::WAKEchange);

    Label4 = makeLabel(this, d::Label4);
    ComboBox1 = new QComboBox(this);
    for (const std::string& choice : core::languageChoices())
        ComboBox1->addItem(QString::fromStdString(choice));
    ComboBox1->setGeometry(qRect(d::ComboBox1));
    Label4->setBuddy(ComboBox1);
    namespace n = d::names;
    nameForReaders(SpinEdit1, n::SpinEdit1);
    nameForReaders(SpinEdit2, n::SpinEdit2);
    nameForReaders(Edit1, n::Edit1);
    nameForReaders(SpinEdit3, n::SpinEdit3);
    Button1 = makeButton(this, d::Button1);
    Button2 = makeButton(this, d::Button2);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    // As in any dialog: Enter is OK, Escape is ｷｬﾝｾﾙ.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &TForm3::Button1Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &TForm3::Button2Click);
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm3::FormShow() {
    centreOnPrimaryScreen(*this);
    const core::SettingsDialogValues values = model_.FormShow();
    for (std::size_t i = 0; i < switches_.size(); ++i)
        switches_[i]->setChecked(values.switches[i]);
    SpinEdit1->setValue(values.countdownSeconds);
    CheckBox4->setChecked(values.startAtLogon);
    SpinEdit2->setValue(values.noticeMinutes);
    ComboBox1->setCurrentIndex(values.language);
    Edit1->setText(QString::fromStdString(values.command));
    SpinEdit3->setValue(values.commandSeconds);
}

void TForm3::Button1Click() {
    core::SettingsDialogValues values;
    for (std::size_t i = 0; i < switches_.size(); ++i)
        values.switches[i] = switches_[i]->isChecked();
    values.countdownSeconds = SpinEdit1->value();
    values.startAtLogon = CheckBox4->isChecked();
    values.noticeMinutes = SpinEdit2->value();
    values.language = ComboBox1->currentIndex();
    values.command = Edit1->text().toStdString();
    values.commandSeconds = SpinEdit3->value();
    if (model_.Button1Click(values))
        hide();
}

QCheckBox* TForm3::switchFor(std::string core::Settings::*member) const {
    for (std::size_t i = 0; i < switches_.size(); ++i)
        if (core::design::form3::kSwitches[i].member == member)
            return switches_[i];
    return nullptr;
}

void TForm3::Button2Click() {
    hide();
}

} // namespace ui
