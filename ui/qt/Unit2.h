#pragma once

#include "CountdownDialog.h"
#include "core/SharedState.h"

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ui {

// The stay-on-top countdown shown before a scheduled action.
class TForm2 : public QWidget, public CountdownDialog {
    Q_OBJECT
public:
    TForm2(core::SharedState& state, CountdownOwner& owner, std::function<void()> beep,
           QWidget* parent = nullptr);

    void showCountdown() override;
    void Timer1Timer();
    void SpeedButton1Click();

    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
    QPushButton* SpeedButton1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    core::SharedState& state_;
    CountdownOwner& owner_;
    std::function<void()> beep_;
};

} // namespace ui
