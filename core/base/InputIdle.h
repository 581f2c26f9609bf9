#pragma once

#include <chrono>
#include <string>
#include <variant>

namespace core {

// How long nobody has touched this session's keyboard or mouse.
class InputIdleSource {
public:
    virtual ~InputIdleSource() = default;
    // The time since the last input, or why the session will not tell, in the user's language.
    virtual std::variant<std::chrono::milliseconds, std::string> idleTime() = 0;
};

} // namespace core
