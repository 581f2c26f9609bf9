#include "Countdown.h"

#include <array>

namespace core {

namespace {

struct ActionTexts {
    std::string_view code;
    std::string_view title;
    std::string_view suffix;
};

constexpr std::array<ActionTexts, 7> kTexts{{
    {"1", "ログオフ予告", "秒後にログオフします"},
    {"2", "再起動予告", "秒後に再起動します"},
    {"3", "電源断予告", "秒後にPowerOffします"},
    {"4", "強制終了予告", "秒後に強制的にPowerOffします"},
    {"5", "強制再起動予告", "秒後に強制的に再起動します"},
    {"6", "スタンバイ予告", "秒後にスタンバイ状態にします"},
    {"7", "休止状態予告", "秒後に休止状態にします"},
}};

} // namespace

std::optional<CountdownTexts> countdownTexts(std::string_view pendingAction,
                                             std::string_view shutDownTime) {
    for (const auto& texts : kTexts) {
        if (pendingAction == texts.code)
            return CountdownTexts{std::string(texts.title),
                                  std::string(shutDownTime) + std::string(texts.suffix)};
    }
    return std::nullopt;
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
