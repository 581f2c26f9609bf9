#include "PolicyFile.h"

#include "core/files/Profile.h"

namespace core {

PolicyLayer parsePolicyFile(std::string_view text, std::string place) {
    PolicyLayer layer;
    layer.place = std::move(place);
    if (auto limits = readProfileSection(text, policy_key::kLimitsSection)) {
        for (const auto& [key, value] : *limits) {
            if (auto reason = setPolicyText(layer, key, value))
                layer.ignored.push_back(ignoredEntry(key, value, *reason));
        }
    }
    if (auto bookings = readProfileSection(text, policy_key::kBookings))
        setPolicyBookings(layer, *bookings);
    return layer;
}

} // namespace core
