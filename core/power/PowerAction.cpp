#include "PowerAction.h"

namespace core {

const ActionDescription* describe(PowerAction action) {
    for (const auto& description : kPowerActions)
        if (description.action == action)
            return &description;
    return nullptr;
}

std::string countdownTitle(const ActionDescription& description) {
    return fill(tr("{0}予告"), {tr(description.name)});
}

std::string actionName(const ActionDescription* description) {
    return description != nullptr ? tr(description->name) : std::string();
}

bool returnsToWatching(PowerAction action) {
    const ActionDescription* description = describe(action);
    if (description == nullptr)
        return false;
    switch (description->operation) {
    case PowerOperation::EndSession:
    case PowerOperation::Restart:
    case PowerOperation::PowerOff:
        return false;
    case PowerOperation::Suspend:
    case PowerOperation::Hibernate:
    case PowerOperation::Lock:
    case PowerOperation::DisplayOff:
        break;
    }
    return true;
}

std::optional<PowerAction> actionFromWord(std::string_view word) {
    for (const auto& description : kPowerActions)
        if (word == description.word)
            return description.action;
    return std::nullopt;
}

std::optional<PowerAction> actionAtSelectorIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kPowerActions.size()))
        return std::nullopt;
    return kPowerActions[static_cast<std::size_t>(index)].action;
}

std::optional<int> selectorIndexOf(PowerAction action) {
    for (std::size_t i = 0; i < kPowerActions.size(); ++i)
        if (kPowerActions[i].action == action)
            return static_cast<int>(i);
    return std::nullopt;
}

} // namespace core
