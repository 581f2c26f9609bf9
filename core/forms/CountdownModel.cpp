#include "CountdownModel.h"

#include "FormDesign.h"
#include "core/lang/Catalogue.h"
#include "core/schedule/Countdown.h"

#include <algorithm>

namespace core {

namespace {

std::string secondsLeftText(int seconds) {
    return countText("残り{0}秒", "残り{0}秒", seconds);
}

} // namespace

void CountdownModel::FormShow() {
    controls_.startTimer();
    progressMaximum_ = state_.countdownSeconds();
    controls_.setProgressMaximum(progressMaximum_);
    std::string said;
    if (auto texts = countdownTexts(state_.PendingAction, state_.countdownText())) {
        controls_.showTexts(texts->title, texts->message);
        said = fill(tr("{0}: {1}"), {texts->title, texts->message});
    }
    const CountdownLimits& limits = state_.Limits;
    const std::string cancelRefusal = limits.cancelAllowed ? "" : tr(kCancelForbidden);
    const std::string postponeRefusal = limits.postponeAllowed ? "" : tr(kPostponeExhausted);
    controls_.limitButtons(cancelRefusal, postponeRefusal);
    const std::string hint =
        !cancelRefusal.empty() || !postponeRefusal.empty()
            ? cancelRefusal + (cancelRefusal.empty() || postponeRefusal.empty() ? "" : "\n") +
                  postponeRefusal
            : tr(design::form2::Label2.text);
    controls_.showHint(hint);
    controls_.announce(said + " " + hint);
    controls_.setProgress(0);
    state_.CountdownTicks = 0;
    controls_.showSecondsLeft(secondsLeftText(progressMaximum_));
}

void CountdownModel::Timer1Timer() {
    if (isOn(state_.settings.BEEPchange))
        controls_.beep();
    const bool finished = advanceCountdown(state_);
    controls_.setProgress(std::min(state_.CountdownTicks, progressMaximum_));
    if (finished) {
        controls_.stopTimer();
        controls_.hideDialog();
        finished_();
        return;
    }
    // Read afresh, as the count itself is: a length lowered meanwhile.
    const int left = state_.countdownSeconds() - state_.CountdownTicks;
    const std::string text = secondsLeftText(left);
    controls_.showSecondsLeft(text);
    if (std::find(kAnnouncedSeconds.begin(), kAnnouncedSeconds.end(), left) !=
        kAnnouncedSeconds.end())
        controls_.announce(text);
}

std::string cancelledByText(CancelledBy by) {
    switch (by) {
    case CancelledBy::Button:
        return tr("キャンセル ボタン");
    case CancelledBy::Escape:
        return tr("Esc キー");
    case CancelledBy::CloseBox:
        return tr("閉じるボタン");
    case CancelledBy::Command:
        return "--cancel";
    case CancelledBy::Tray:
        return tr("トレイのキャンセル");
    case CancelledBy::System:
        return tr("システムが終了を取り消しました");
    }
    return {};
}

bool CountdownModel::cancel(CancelledBy by) {
    if (!state_.Limits.cancelAllowed)
        return false;
    controls_.stopTimer();
    cancelled_(by);
    controls_.hideDialog();
    return true;
}

void CountdownModel::SpeedButton2Click() {
    if (!state_.Limits.postponeAllowed)
        return;
    if (auto refusal = postponed_()) {
        controls_.showHint(*refusal);
        controls_.announce(*refusal);
        return;
    }
    controls_.stopTimer();
    controls_.hideDialog();
}

} // namespace core
