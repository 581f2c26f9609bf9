#include "Policy.h"

#include "core/base/Settings.h"
#include "core/files/Profile.h"
#include "core/lang/Catalogue.h"

#include <map>

namespace core {

namespace {

std::optional<std::string> inRange(long long value, long long least, long long most) {
    if (value >= least && value <= most)
        return std::nullopt;
    return fill(tr("{0}～{1} の数ではありません"), {std::to_string(least), std::to_string(most)});
}

template <class T>
void take(PolicyRule<T>& rule, const std::optional<T>& value, const std::string& place) {
    if (value && rule.place.empty())
        rule = {*value, place};
}

} // namespace

std::optional<std::string> setPolicyValue(PolicyLayer& layer, std::string_view key,
                                          long long value) {
    using namespace policy_key;
    // The registry's names and the file's keys match without regard to case.
    const auto is = [key](std::string_view name) { return profileNamesMatch(key, name); };
    std::optional<std::string> refusal;
    if (is(kAllowCancel) || is(kAllowUserBookings) || is(kDeferWhileBusy) ||
        is(kAllowUserCommand)) {
        refusal = inRange(value, 0, 1);
        if (!refusal)
            (is(kAllowCancel)         ? layer.allowCancel
             : is(kAllowUserBookings) ? layer.allowUserBookings
             : is(kDeferWhileBusy)    ? layer.deferWhileBusy
                                      : layer.allowUserCommand) = value == 1;
    } else if (is(kMaxPostpones)) {
        refusal = inRange(value, 0, kMostPostponesLimit);
        if (!refusal)
            layer.maxPostpones = static_cast<int>(value);
    } else if (is(kMinimumCountdown)) {
        refusal = inRange(value, kLeastMinimumCountdown, kMostMinimumCountdown);
        if (!refusal)
            layer.minimumCountdown = static_cast<int>(value);
    } else if (is(kMaxDeferMinutes)) {
        refusal = inRange(value, 1, kMostDeferMinutes);
        if (!refusal)
            layer.maxDeferMinutes = static_cast<int>(value);
    } else if (is(kPreActionCommand)) {
        refusal = tr("コマンドは文字列で書きます");
    } else {
        refusal = tr("この名前の設定はありません");
    }
    return refusal;
}

bool policyKeyTakesText(std::string_view key) {
    return profileNamesMatch(key, policy_key::kPreActionCommand);
}

std::optional<std::string> setPolicyText(PolicyLayer& layer, std::string_view key,
                                         std::string_view text) {
    if (policyKeyTakesText(key)) {
        layer.preActionCommand = std::string(text);
        return std::nullopt;
    }
    if (auto value = parseDecimal(text))
        return setPolicyValue(layer, key, *value);
    return tr("整数ではありません");
}

void setPolicyBookings(PolicyLayer& layer,
                       const std::vector<std::pair<std::string, std::string>>& named) {
    std::map<int, std::string> numbered;
    for (const auto& [name, text] : named) {
        const auto number = parseDecimal(name);
        if (!number || *number < 1 || name.front() == '+')
            layer.ignored.push_back(ignoredEntry(name, text, tr("名前は 1 からの番号です")));
        else if (!numbered.emplace(*number, text).second)
            layer.ignored.push_back(ignoredEntry(name, text, tr("同じ番号がほかにもあります")));
    }
    auto& bookings = layer.bookings.emplace();
    for (auto& [number, text] : numbered)
        bookings.push_back({number, std::move(text)});
}

std::string ignoredEntry(std::string_view name, std::string_view value, std::string_view reason) {
    return std::string(name) + "=" + std::string(value) + ": " + std::string(reason);
}

bool Policy::inForce() const {
    return !allowCancel.place.empty() || !maxPostpones.place.empty() ||
           !allowUserBookings.place.empty() || !minimumCountdown.place.empty() ||
           !deferWhileBusy.place.empty() || !maxDeferMinutes.place.empty() ||
           !preActionCommand.place.empty() || !allowUserCommand.place.empty() ||
           !bookings.place.empty();
}

Policy mergePolicy(const std::vector<PolicyLayer>& layers) {
    Policy policy;
    for (const PolicyLayer& layer : layers) {
        take(policy.allowCancel, layer.allowCancel, layer.place);
        if (layer.maxPostpones && policy.maxPostpones.place.empty())
            policy.maxPostpones = {layer.maxPostpones, layer.place};
        take(policy.allowUserBookings, layer.allowUserBookings, layer.place);
        take(policy.minimumCountdown, layer.minimumCountdown, layer.place);
        if (layer.deferWhileBusy && policy.deferWhileBusy.place.empty())
            policy.deferWhileBusy = {layer.deferWhileBusy, layer.place};
        take(policy.maxDeferMinutes, layer.maxDeferMinutes, layer.place);
        take(policy.preActionCommand, layer.preActionCommand, layer.place);
        take(policy.allowUserCommand, layer.allowUserCommand, layer.place);
        take(policy.bookings, layer.bookings, layer.place);
        for (const std::string& entry : layer.ignored)
            policy.ignored.push_back(layer.place + ": " + entry);
    }
    return policy;
}

} // namespace core
