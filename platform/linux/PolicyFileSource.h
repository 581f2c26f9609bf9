#pragma once

#include "core/policy/PolicyFile.h"
#include "core/policy/PolicySource.h"

#include <array>
#include <optional>
#include <string>

namespace platform {

// The machine's policy file, used only when it and its folder belong to root and no one else may
// write them: anyone could have written it otherwise. Looked at each tick by its folder's and its
// own status, read again when either changed.
class PolicyFileSource : public core::PolicySource {
public:
    explicit PolicyFileSource(std::string path = std::string(core::kPolicyFilePath))
        : path_(std::move(path)) {}

    std::optional<std::vector<core::PolicyLayer>> readIfChanged() override;

    // What tells a change: device, inode, size, mode, owner and the change time of both.
    using Stamp = std::array<long long, 14>;

private:
    std::vector<core::PolicyLayer> read() const;

    std::string path_;
    std::optional<Stamp> seen_;
};

} // namespace platform
