#pragma once

#include "Win32.h"
#include "core/policy/PolicySource.h"

#include <array>

namespace platform {

// Group Policy's keys: the machine's, then the user's. Each root's "Software\Policies" is
// watched for a change of any value below it, so a policy refreshed (or a value written by hand)
// is read again at the next tick.
class RegistryPolicySource : public core::PolicySource {
public:
    RegistryPolicySource();
    ~RegistryPolicySource() override;
    RegistryPolicySource(const RegistryPolicySource&) = delete;
    RegistryPolicySource& operator=(const RegistryPolicySource&) = delete;

    std::optional<std::vector<core::PolicyLayer>> readIfChanged() override;

private:
    struct Watch {
        HKEY key = nullptr;
        HANDLE changed = nullptr;
    };
    // Asks again to be told of the next change.
    static void rearm(Watch& watch);

    std::array<Watch, 2> watches_{};
    bool read_ = false;
};

} // namespace platform
