#pragma once

#include "core/lang/Catalogue.h"

#include <array>
#include <functional>
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
    Hibernate,
    LockScreen,
    DisplayOff
};

// Watching the table, or a countdown has run out and the next tick requests the action.
enum class Phase { Watching = 1, Execute = 2 };

// What a system is asked to do; a forced variant does not wait for programs to close.
enum class PowerOperation { EndSession, Restart, PowerOff, Suspend, Hibernate, Lock, DisplayOff };

struct ActionDescription {
    PowerAction action;
    // The action cell's text; the action selector shows it translated.
    std::string_view word;
    // Names the action in the countdown's title and in a refusal.
    std::string_view name;
    // The countdown's message, its length as "{0}".
    std::string_view countdownMessage;
    // Completes "12:00 に…" in texts that announce the action.
    std::string_view phrase;
    // Names the action in scripts and logs.
    std::string_view key;
    PowerOperation operation;
    bool forced;
};

// One row per action, in the order of the action selector.
inline constexpr std::array<ActionDescription, 9> kPowerActions{{
    {PowerAction::PowerOff, msg("終了"), msg("電源断"), msg("{0}秒後にPowerOffします"),
     msg("電源断します"), "poweroff", PowerOperation::PowerOff, false},
    {PowerAction::ForcedPowerOff, msg("強制終了"), msg("強制終了"),
     msg("{0}秒後に強制的にPowerOffします"), msg("強制的に電源断します"), "force-poweroff",
     PowerOperation::PowerOff, true},
    {PowerAction::Reboot, msg("再起動"), msg("再起動"), msg("{0}秒後に再起動します"),
     msg("再起動します"), "reboot", PowerOperation::Restart, false},
    {PowerAction::ForcedReboot, msg("強制再起"), msg("強制再起動"),
     msg("{0}秒後に強制的に再起動します"), msg("強制的に再起動します"), "force-reboot",
     PowerOperation::Restart, true},
    {PowerAction::LogOff, msg("ログオフ"), msg("ログオフ"), msg("{0}秒後にログオフします"),
     msg("ログオフします"), "logoff", PowerOperation::EndSession, false},
    {PowerAction::Standby, msg("スタンバイ"), msg("スタンバイ"),
     msg("{0}秒後にスタンバイ状態にします"), msg("スタンバイ状態にします"), "standby",
     PowerOperation::Suspend, false},
    {PowerAction::Hibernate, msg("休止状態"), msg("休止状態"), msg("{0}秒後に休止状態にします"),
     msg("休止状態にします"), "hibernate", PowerOperation::Hibernate, false},
    {PowerAction::LockScreen, msg("画面ロック"), msg("画面ロック"),
     msg("{0}秒後に画面をロックします"), msg("画面をロックします"), "lock", PowerOperation::Lock,
     false},
    {PowerAction::DisplayOff, msg("画面オフ"), msg("画面オフ"), msg("{0}秒後に画面をオフにします"),
     msg("画面をオフにします"), "display-off", PowerOperation::DisplayOff, false},
}};

// The action's row, or nothing for None.
const ActionDescription* describe(PowerAction action);
// "電源断予告": the countdown's title.
std::string countdownTitle(const ActionDescription& description);
// The action's name in the language in use.
std::string actionName(const ActionDescription* description);
// After a request the session goes on and comes back to the program: all but ending the
// session, restarting and powering off.
bool returnsToWatching(PowerAction action);

std::optional<PowerAction> actionFromWord(std::string_view word);
std::optional<PowerAction> actionAtSelectorIndex(int index);
// Why this session cannot carry out an action, or nothing where it can.
using ActionCheck = std::function<std::optional<std::string>(PowerAction)>;
std::optional<int> selectorIndexOf(PowerAction action);

} // namespace core
