#pragma once

#include <optional>
#include <string>

namespace core {

// Why a power-off would come at the wrong moment now.
enum class BusyKind {
    Presenting, // the system's presentation mode
    FullScreen, // a program fills the screen: a film, a game, a slide show
    Inhibited,  // another program asked the system not to go idle, sleep or shut down
};

struct Busy {
    BusyKind kind;
    // The program that asked, for Inhibited; empty where the system does not say.
    std::string who;
    friend bool operator==(const Busy&, const Busy&) = default;
};

// Whether the user is presenting or in full-screen work, as the system tells.
class BusySource {
public:
    virtual ~BusySource() = default;
    virtual std::optional<Busy> busy() = 0;
};

} // namespace core
