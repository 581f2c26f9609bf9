#pragma once

#include "core/base/DocumentViewer.h"

namespace platform {

// The program Windows opens the file's type with ("open" of the shell).
class ShellViewer : public core::DocumentViewer {
public:
    std::optional<std::string> open(const std::string& path) override;
};

} // namespace platform
