#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

// The names an administrator's policy uses, in the registry and in the Linux file alike.
namespace policy_key {
inline constexpr std::string_view kAllowCancel = "AllowCancel";
inline constexpr std::string_view kMaxPostpones = "MaxPostpones";
inline constexpr std::string_view kAllowUserBookings = "AllowUserBookings";
inline constexpr std::string_view kMinimumCountdown = "MinimumCountdown";
inline constexpr std::string_view kDeferWhileBusy = "DeferWhileBusy";
inline constexpr std::string_view kMaxDeferMinutes = "MaxDeferMinutes";
// The machine's command before the action, a text; and whether the user's own may run.
inline constexpr std::string_view kPreActionCommand = "PreActionCommand";
inline constexpr std::string_view kAllowUserCommand = "AllowUserCommand";
// The list of bookings: a registry subkey, a section of the file; its entries are named 1 to N.
inline constexpr std::string_view kBookings = "Bookings";
inline constexpr std::string_view kLimitsSection = "Policy";
} // namespace policy_key

inline constexpr int kMostPostponesLimit = 10;
inline constexpr int kLeastMinimumCountdown = 15;
inline constexpr int kMostMinimumCountdown = 120;
// How long a countdown waits for a presentation or full-screen work to end, at most.
inline constexpr int kMostDeferMinutes = 240;
inline constexpr int kDefaultMaxDeferMinutes = 60;

// One booking of the list, by the number the administrator named it with.
struct PolicyEntry {
    int number = 0;
    std::string text;
    friend bool operator==(const PolicyEntry&, const PolicyEntry&) = default;
};

// What one place (the machine's key, the user's key, the file) says; unset is not said.
struct PolicyLayer {
    // Where it was read, as --policy names it.
    std::string place{};
    std::optional<bool> allowCancel{};
    std::optional<int> maxPostpones{};
    std::optional<bool> allowUserBookings{};
    std::optional<int> minimumCountdown{};
    std::optional<bool> deferWhileBusy{};
    std::optional<int> maxDeferMinutes{};
    std::optional<std::string> preActionCommand{};
    std::optional<bool> allowUserCommand{};
    // Set when the place holds a list, also an empty one: it replaces the lists below it.
    std::optional<std::vector<PolicyEntry>> bookings{};
    // What the place holds that is not used, each with its reason.
    std::vector<std::string> ignored{};
};

// Sets a limit from its stored number; the reason when the name or the number means nothing
// (the layer is then unchanged). The registry's and the file's readers both come here.
std::optional<std::string> setPolicyValue(PolicyLayer& layer, std::string_view key,
                                          long long value);
// The key whose value is a text, not a number: the registry holds it as a string.
bool policyKeyTakesText(std::string_view key);
// As above from a text (the Linux file's, the registry's strings): the command as it stands, a
// limit's text that is no whole number refused.
std::optional<std::string> setPolicyText(PolicyLayer& layer, std::string_view key,
                                         std::string_view text);
// The list from its named entries, in the order of their numbers; a name that is no number from 1
// up, and a number given twice, is ignored.
void setPolicyBookings(PolicyLayer& layer,
                       const std::vector<std::pair<std::string, std::string>>& named);
// "name=value: reason", one entry of `ignored`.
std::string ignoredEntry(std::string_view name, std::string_view value, std::string_view reason);

// A rule in force and where it came from; no place: the default.
template <class T> struct PolicyRule {
    T value{};
    std::string place;
    friend bool operator==(const PolicyRule&, const PolicyRule&) = default;
};

struct Policy {
    PolicyRule<bool> allowCancel{true, {}};
    // Per countdown of a booking moment; none: no limit.
    PolicyRule<std::optional<int>> maxPostpones;
    PolicyRule<bool> allowUserBookings{true, {}};
    // Seconds; 0: none.
    PolicyRule<int> minimumCountdown;
    // Set: the user's setting of waiting for full-screen work is overruled, either way.
    PolicyRule<std::optional<bool>> deferWhileBusy;
    PolicyRule<int> maxDeferMinutes{kDefaultMaxDeferMinutes, {}};
    // Run before every action instead of the user's command; empty: none.
    PolicyRule<std::string> preActionCommand;
    PolicyRule<bool> allowUserCommand{true, {}};
    PolicyRule<std::vector<PolicyEntry>> bookings;
    // "place: entry: reason" for everything ignored, in the order of the places.
    std::vector<std::string> ignored;

    // Something is set by an administrator.
    bool inForce() const;
};

// The layers from the strongest (the machine) to the weakest (the user): each rule is the first
// layer's that sets it, else the default.
Policy mergePolicy(const std::vector<PolicyLayer>& layers);

} // namespace core
