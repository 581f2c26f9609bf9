#pragma once

#include "core/base/Prompter.h"

namespace ui {

// The message boxes of the Linux face, with the exact captions and buttons.
class MessageBoxPrompter : public core::Prompter {
public:
    bool ask(const std::string& question) override;
    void inform(const std::string& message) override;
    void showError(const std::string& message) override;
};

} // namespace ui
