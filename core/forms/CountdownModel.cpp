#include "CountdownModel.h"

#include "FormDesign.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyWords.h"
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
    said_.clear();
    if (auto texts = countdownTexts(state_.PendingAction, state_.countdownText())) {
        controls_.showTexts(texts->title, texts->message);
        said_ = fill(tr("{0}: {1}"), {texts->title, texts->message});
    }
    const CountdownLimits& limits = state_.Limits;
    const std::string cancelRefusal = limits.cancelAllowed ? "" : tr(kCancelForbidden);
    const std::string postponeRefusal = limits.postponeAllowed ? "" : tr(kPostponeExhausted);
    controls_.limitButtons(cancelRefusal, postponeRefusal);
    const std::string hint = limitsHint();
    controls_.showHint(hint);
    const std::string spoken = said_ + " " + spokenHint(hint);
    controls_.describe(spoken);
    controls_.announce(spoken);
    controls_.setProgress(0);
    state_.CountdownTicks = 0;
    waiting_ = false;
    controls_.showSecondsLeft(secondsLeftText(progressMaximum_));
}

void CountdownModel::Timer1Timer() {
    if (!waiting_) {
        if (isOn(state_.settings.BEEPchange))
            controls_.beep();
        const bool finished = advanceCountdown(state_);
        controls_.setProgress(std::min(state_.CountdownTicks, progressMaximum_));
        if (!finished) {
            secondsLeft();
            return;
        }
        waiting_ = true;
        if (const auto said = finished_()) {
            controls_.showSecondsLeft(*said);
            controls_.announce(*said);
            return;
        }
    } else if (const auto said = finished_()) {
        controls_.showSecondsLeft(*said);
        return;
    }
    waiting_ = false;
    controls_.stopTimer();
    controls_.hideDialog();
}

void CountdownModel::secondsLeft() {
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
    case CancelledBy::Schedule:
        return tr("システムの予定から取り消されました");
    }
    return {};
}

std::string CountdownModel::limitsHint() const {
    const CountdownLimits& limits = state_.Limits;
    if (limits.cancelAllowed && limits.postponeAllowed)
        return tr(design::form2::Label2.text);
    if (!limits.cancelAllowed && !limits.postponeAllowed)
        return tr(kCancelForbidden) + "\n" + tr(kPostponeExhausted);
    return limits.cancelAllowed ? tr(kPostponeExhausted) : tr(kCancelForbidden);
}

std::string CountdownModel::spokenHint(const std::string& hint) const {
    // The buttons take no focus, so the keys are all a keyboard user has.
    const CountdownLimits& limits = state_.Limits;
    const std::string postponeKey{design::accessKeyOf(tr(design::form2::SpeedButton2.text))};
    const std::string keys =
        limits.cancelAllowed && limits.postponeAllowed
            ? fill(tr("Esc キーでキャンセル、Alt+{0} で10分延期"), {postponeKey})
            : (limits.cancelAllowed
                   ? tr("Esc キーでキャンセル")
                   : (limits.postponeAllowed ? fill(tr("Alt+{0} で10分延期"), {postponeKey}) : ""));
    return keys.empty() ? hint : hint + " " + keys;
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
        // The count goes on, so how to cancel it still holds.
        controls_.showHint(*refusal);
        const std::string hint = spokenHint(*refusal + " " + limitsHint());
        controls_.describe(said_ + " " + hint);
        controls_.announce(hint);
        return;
    }
    controls_.stopTimer();
    controls_.hideDialog();
}

} // namespace core
