#pragma once

#include "core/base/DocumentViewer.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The files it was asked to show; fails with `failure` when set.
class FakeViewer : public core::DocumentViewer {
public:
    std::optional<std::string> open(const std::string& path) override {
        opened.push_back(path);
        return failure;
    }

    std::vector<std::string> opened;
    std::optional<std::string> failure;
};

} // namespace testing_support
