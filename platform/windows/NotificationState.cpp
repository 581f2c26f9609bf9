#include "NotificationState.h"

#include "Win32.h"

namespace platform {

std::optional<core::Busy> NotificationState::busy() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state)))
        return std::nullopt;
    switch (state) {
    case QUNS_BUSY:
    case QUNS_RUNNING_D3D_FULL_SCREEN:
        return core::Busy{core::BusyKind::FullScreen, {}};
    case QUNS_PRESENTATION_MODE:
        return core::Busy{core::BusyKind::Presenting, {}};
    default:
        return std::nullopt;
    }
}

} // namespace platform
