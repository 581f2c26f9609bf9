#include "Countdown.h"

#include <array>

namespace core {

namespace {

struct ActionTexts {
    std::string_view code;
    std::string_view name;
    std::string_view suffix;
};

constexpr std::array<ActionTexts, 7> kTexts{{
    {"1", "ログオフ", "秒後にログオフします"},
    {"2", "再起動", "秒後に再起動します"},
    {"3", "電源断", "秒後にPowerOffします"},
    {"4", "強制終了", "秒後に強制的にPowerOffします"},
    {"5", "強制再起動", "秒後に強制的に再起動します"},
    {"6", "スタンバイ", "秒後にスタンバイ状態にします"},
    {"7", "休止状態", "秒後に休止状態にします"},
}};

const ActionTexts* textsOf(std::string_view action) {
    for (const auto& texts : kTexts)
        if (action == texts.code)
            return &texts;
    return nullptr;
}

} // namespace

std::optional<CountdownTexts> countdownTexts(std::string_view pendingAction,
                                             std::string_view shutDownTime) {
    const ActionTexts* texts = textsOf(pendingAction);
    if (texts == nullptr)
        return std::nullopt;
    return CountdownTexts{std::string(texts->name) + "予告",
                          std::string(shutDownTime) + std::string(texts->suffix)};
}

std::string refusalMessage(std::string_view action, std::string_view reason) {
    const ActionTexts* texts = textsOf(action);
    return std::string(texts != nullptr ? texts->name : action) + "できませんでした。" +
           std::string(reason);
}

bool advanceCountdown(SharedState& state) {
    ++state.CountdownTicks;
    // Read afresh every second; a length lowered meanwhile ends the count at once.
    if (state.CountdownTicks < state.settings.shutDownSeconds())
        return false;
    state.ExecutionPhase = kPhaseExecute;
    return true;
}

} // namespace core
