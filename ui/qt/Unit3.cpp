#include "Unit3.h"

#include "Centring.h"
#include "Fonts.h"
#include "core/SettingsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace ui {

namespace {

QCheckBox* makeCheckBox(QWidget* parent, const QString& text, QRect place) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(place);
    return box;
}

} // namespace

TForm3::TForm3(core::Settings& settings, core::FileStore& files, std::string settingsPath,
               core::Prompter& prompter, QWidget* parent)
    : QWidget(parent), settings_(settings), files_(files), settingsPath_(std::move(settingsPath)),
      prompter_(prompter) {
    setWindowTitle(QStringLiteral("設定"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(programFont());
    setFixedSize(295, 242);

    Label2 = new QLabel(QStringLiteral("Brindlewhistmoore_Ver5.6"), this);
    Label2->move(81, 12);
    Label2->adjustSize();
    QPalette blue = Label2->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label2->setPalette(blue);

    GroupBox1 = new QGroupBox(QStringLiteral("機能設定"), this);
    GroupBox1->setGeometry(16, 32, 265, 161);
    CheckBox1 =
        makeCheckBox(GroupBox1, QStringLiteral("予約時刻になるとCPU使用率に"), {16, 24, 185, 17});
    CheckBox2 =
        makeCheckBox(GroupBox1, QStringLiteral("カウントダウン時に音を鳴らす"), {16, 56, 177, 17});
    CheckBox3 = makeCheckBox(GroupBox1, QStringLiteral("タスクトレイアイコンを隠す(起動時に反映)"),
                             {16, 88, 241, 25});
    CheckBox3->setToolTip(QStringLiteral("ショートカットから起動するとフォームが表示されます。"));
    SpinEdit1 = new SpinEdit(15, 120, GroupBox1);
    SpinEdit1->setGeometry(16, 128, 49, 21);
    SpinEdit1->setValue(30);
    Label1 = new QLabel(QStringLiteral("秒間の警告を出す(15～120秒)"), GroupBox1);
    Label1->move(72, 132);
    Label1->adjustSize();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(152, 208, 57, 25);
    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button2->setGeometry(224, 208, 57, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm3::FormShow() {
    centreOnPrimaryScreen(*this);
    const core::SettingsDialogValues values = core::settingsDialogValues(settings_);
    CheckBox1->setChecked(values.cpuHandOver);
    CheckBox2->setChecked(values.beep);
    CheckBox3->setChecked(values.hideTrayIcon);
    SpinEdit1->setValue(values.countdownSeconds);
}

void TForm3::Button1Click() {
    const core::SettingsDialogValues values{CheckBox1->isChecked(), CheckBox2->isChecked(),
                                            CheckBox3->isChecked(), SpinEdit1->value()};
    if (core::acceptSettingsDialog(settings_, values, files_, settingsPath_, prompter_))
        hide();
}

void TForm3::Button2Click() {
    hide();
}

} // namespace ui
