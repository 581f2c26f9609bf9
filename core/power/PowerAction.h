#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The power actions by the codes the program has always given them; None until one is chosen.
enum class PowerAction {
    None = 0,
    LogOff,
    Reboot,
    PowerOff,
    ForcedPowerOff,
    ForcedReboot,
    Standby,
    Hibernate
};

// Watching the table, or a countdown has run out and the next tick requests the action.
enum class Phase { Watching = 1, Execute = 2 };

// What a system is asked to do; a forced variant does not wait for programs to close.
enum class PowerOperation { EndSession, Restart, PowerOff, Suspend, Hibernate };

struct ActionDescription {
    PowerAction action;
    // The action cell's text and the action selector's item.
    std::string_view word;
    // Names the action in the countdown's title and in a refusal.
    std::string_view name;
    // Follows the countdown's length in its message.
    std::string_view countdownSuffix;
    // Completes "12:00 に…" in texts that announce the action.
    std::string_view phrase;
    // Names the action in scripts and logs.
    std::string_view key;
    PowerOperation operation;
    bool forced;
};

// One row per action, in the order of the action selector.
inline constexpr std::array<ActionDescription, 7> kPowerActions{{
    {PowerAction::PowerOff, "終了", "電源断", "秒後にPowerOffします", "電源断します", "poweroff",
     PowerOperation::PowerOff, false},
    {PowerAction::ForcedPowerOff, "強制終了", "強制終了", "秒後に強制的にPowerOffします",
     "強制的に電源断します", "force-poweroff", PowerOperation::PowerOff, true},
    {PowerAction::Reboot, "再起動", "再起動", "秒後に再起動します", "再起動します", "reboot",
     PowerOperation::Restart, false},
    {PowerAction::ForcedReboot, "強制再起", "強制再起動", "秒後に強制的に再起動します",
     "強制的に再起動します", "force-reboot", PowerOperation::Restart, true},
    {PowerAction::LogOff, "ログオフ", "ログオフ", "秒後にログオフします", "ログオフします",
     "logoff", PowerOperation::EndSession, false},
    {PowerAction::Standby, "スタンバイ", "スタンバイ", "秒後にスタンバイ状態にします",
     "スタンバイ状態にします", "standby", PowerOperation::Suspend, false},
    {PowerAction::Hibernate, "休止状態", "休止状態", "秒後に休止状態にします", "休止状態にします",
     "hibernate", PowerOperation::Hibernate, false},
}};

// The action's row, or nothing for None.
const ActionDescription* describe(PowerAction action);
// "電源断予告": the countdown's title.
std::string countdownTitle(const ActionDescription& description);
// After a request the machine comes back to the program: suspend and hibernate.
bool returnsToWatching(PowerAction action);

std::optional<PowerAction> actionFromWord(std::string_view word);
std::optional<PowerAction> actionAtSelectorIndex(int index);
std::optional<int> selectorIndexOf(PowerAction action);

} // namespace core
