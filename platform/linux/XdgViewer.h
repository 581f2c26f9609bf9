#pragma once

#include "core/base/DocumentViewer.h"

namespace platform {

// The desktop's viewer for a file, through xdg-open, which asks the desktop in use.
class XdgViewer : public core::DocumentViewer {
public:
    std::optional<std::string> open(const std::string& path) override;
};

} // namespace platform
