#pragma once

#include "LogindBus.h"
#include "core/base/InputIdle.h"

#include <memory>

namespace platform {

// How long nobody touched the session, from what it offers: the X server's screen-saver
// extension on X11; on Wayland GNOME's idle monitor; logind's idle hint of the session, which
// only some desktops keep, as the last resort.
class SessionIdleTime : public core::InputIdleSource {
public:
    explicit SessionIdleTime(LogindBus& logind);
    ~SessionIdleTime() override;
    SessionIdleTime(const SessionIdleTime&) = delete;
    SessionIdleTime& operator=(const SessionIdleTime&) = delete;

    std::variant<std::chrono::milliseconds, std::string> idleTime() override;

private:
    std::optional<std::chrono::milliseconds> fromX11();
    static std::optional<std::chrono::milliseconds> fromMutter();
    std::optional<std::chrono::milliseconds> fromLogind();

    // The X server's connection, opened at the first look and kept.
    struct X11Connection;

    LogindBus& logind_;
    std::unique_ptr<X11Connection> x11_;
};

} // namespace platform
