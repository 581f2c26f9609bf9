#pragma once

#include "core/base/BusySource.h"

namespace platform {

// The shell's word on the user's state (SHQueryUserNotificationState): a full-screen program,
// a Direct3D game or the presentation mode.
class NotificationState : public core::BusySource {
public:
    std::optional<core::Busy> busy() override;
};

} // namespace platform
