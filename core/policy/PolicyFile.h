#pragma once

#include "Policy.h"

#include <string>
#include <string_view>

namespace core {

// The machine's policy file on Linux: UTF-8 text, "[Policy]" with the limits by name and
// "[Bookings]" with entries named 1 to N, as the settings file writes its sections.
inline constexpr std::string_view kPolicyFilePath = "/etc/brindlewhistmoore/policy.ini";

PolicyLayer parsePolicyFile(std::string_view text, std::string place);

} // namespace core
