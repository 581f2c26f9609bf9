#pragma once

#include "core/base/Prompter.h"

namespace ui {

// The message boxes of the Linux face, with the exact captions and buttons.
class MessageBoxPrompter : public core::Prompter {
private:
    bool askBox(const std::string& question) override;
    void informBox(const std::string& message) override;
    void errorBox(const std::string& message) override;
};

} // namespace ui
