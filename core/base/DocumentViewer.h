#pragma once

#include <optional>
#include <string>

namespace core {

// Shows a file in the program the user's system opens such files with.
class DocumentViewer {
public:
    virtual ~DocumentViewer() = default;
    // Why the viewer could not be started; nothing once it was.
    virtual std::optional<std::string> open(const std::string& path) = 0;
};

} // namespace core
