#include "Unit2.h"

#include "Centring.h"
#include "Design.h"
#include "Fonts.h"
#include "LiveLabel.h"
#include "ReaderRole.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>

namespace ui {

namespace {

namespace d = core::design::form2;

QLabel* makeRedLabel(QWidget* parent, const core::design::Control& design) {
    QLabel* label = makeLabel(parent, design);
    paintText(label, d::kTextColour);
    return label;
}

} // namespace

TForm2::TForm2(core::SharedState& state, CountdownOwner& owner, std::function<void()> beep,
               QWidget* parent)
    : QWidget(parent), beep_(std::move(beep)),
      model_(
          state, *this, [&owner](core::CancelledBy by) { owner.countdownCancelled(by); },
          [&owner] { return owner.countdownPostponed(); },
          [&owner] { return owner.countdownFinished(); }) {
    setWindowTitle(qTr(d::kTitle));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    setReaderRole(*this, QAccessible::Dialog);
    const core::design::Size client = core::design::widened(d::kClient);
    setFixedSize(client.width, client.height);
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(d::kStepMs);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
}

void TForm2::buildWidgets() {
    if (SpeedButton1 != nullptr)
        return;
    QPalette background = palette();
    background.setColor(QPalette::Window, QPalette().color(QPalette::Light));
    setPalette(background);
    setAutoFillBackground(true);

    Label1 = makeRedLabel(this, d::Label1);
    Label2 = makeRedLabel(this, d::Label2);
    Label2->setWordWrap(true);
    Label2->setGeometry(qRect(d::Label2.place));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(qRect(d::ProgressBar1));
    ProgressBar1->setRange(0, d::kProgressMaximum);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(qTr(d::kProgressName));
    Label3 = new LiveLabel(this);
    Label3->setGeometry(qRect(d::Label3));
    Label3->setAlignment(Qt::AlignCenter);
    const auto makeButton = [this](const core::design::Control& design) {
        auto* button = new QPushButton(qTr(design.text), this);
        button->setGeometry(qRect(design.place));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        return button;
    };
    SpeedButton1 = makeButton(d::SpeedButton1);
    SpeedButton2 = makeButton(d::SpeedButton2);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this,
            [this] { model_.cancel(core::CancelledBy::Escape); });
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TForm2::SpeedButton2Click);
}

void TForm2::showCountdown() {
    buildWidgets();
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
    raise();
    // The keys are all a keyboard user has to stop the count: the dialog takes them at once,
    // whatever window had them.
    activateWindow();
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        model_.FormShow();
        centreOnPrimaryScreen(*this);
    }
}

void TForm2::startTimer() {
    Timer1->start();
}

void TForm2::stopTimer() {
    Timer1->stop();
}

void TForm2::showTexts(const std::string& title, const std::string& message) {
    setWindowTitle(QString::fromStdString(title));
    Label1->setText(QString::fromStdString(message));
    Label1->adjustSize();
}

void TForm2::showHint(const std::string& hint) {
    Label2->setText(QString::fromStdString(hint));
}

void TForm2::limitButtons(std::string_view cancelRefusal, std::string_view postponeRefusal) {
    const auto limit = [](QPushButton* button, std::string_view refusal) {
        button->setEnabled(refusal.empty());
        button->setToolTip(qText(refusal));
    };
    limit(SpeedButton1, cancelRefusal);
    limit(SpeedButton2, postponeRefusal);
}

void TForm2::closeEvent(QCloseEvent* event) {
    // Accepted when the count was cancelled, so that a session ending meanwhile is not held up;
    // the dialog only hides.
    if (!model_.FormClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm2::setProgressMaximum(int maximum) {
    ProgressBar1->setMaximum(maximum);
}

void TForm2::setProgress(int value) {
    ProgressBar1->setValue(value);
}

void TForm2::showSecondsLeft(const std::string& text) {
    Label3->setText(QString::fromStdString(text));
}

void TForm2::announce(const std::string& text) {
    Label3->announce(QString::fromStdString(text));
}

void TForm2::describe(const std::string& text) {
    setAccessibleDescription(QString::fromStdString(text));
}

void TForm2::beep() {
    beep_();
}

void TForm2::hideDialog() {
    hide();
}

void TForm2::Timer1Timer() {
    model_.Timer1Timer();
}

void TForm2::SpeedButton1Click() {
    model_.SpeedButton1Click();
}

void TForm2::SpeedButton2Click() {
    model_.SpeedButton2Click();
}

} // namespace ui
