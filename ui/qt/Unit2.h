#pragma once

#include "CountdownDialog.h"
#include "core/forms/CountdownModel.h"

#include <QWidget>
#include <functional>

class QLabel;
namespace ui {
class LiveLabel;
}
class QProgressBar;
class QPushButton;
class QTimer;

namespace ui {

// The stay-on-top countdown shown before a scheduled action. The buttons take no focus, so a
// stray Enter or Space cancels nothing; Escape, the close box and Alt+F4 cancel.
class TForm2 : public QWidget, public CountdownDialog, private core::CountdownControls {
    Q_OBJECT
public:
    TForm2(core::SharedState& state, CountdownOwner& owner, std::function<void()> beep,
           QWidget* parent = nullptr);

    void showCountdown() override;
    void cancelCountdown(core::CancelledBy by) override { model_.cancel(by); }
    void Timer1Timer();
    void SpeedButton1Click(); // "キャンセル"
    void SpeedButton2Click(); // "10分延期"

    // Built when the countdown first shows.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    LiveLabel* Label3 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    // The close box and Alt+F4 cancel, unless a policy forbids.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void startTimer() override;
    void stopTimer() override;
    void showTexts(const std::string& title, const std::string& message) override;
    void showHint(const std::string& hint) override;
    void limitButtons(std::string_view cancelRefusal, std::string_view postponeRefusal) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void beep() override;
    void showSecondsLeft(const std::string& text) override;
    void announce(const std::string& text) override;
    void describe(const std::string& text) override;
    void hideDialog() override;

    std::function<void()> beep_;
    core::CountdownModel model_;
};

} // namespace ui
