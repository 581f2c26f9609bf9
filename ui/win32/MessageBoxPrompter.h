#pragma once

#include "core/base/Prompter.h"

namespace ui {

// The program's message boxes through MessageBoxW, with the buttons captioned "はい(&Y)",
// "いいえ(&N)" and "OK" whatever the system's language.
class MessageBoxPrompter : public core::Prompter {
private:
    bool askBox(const std::string& question) override;
    void informBox(const std::string& message) override;
    void errorBox(const std::string& message) override;
};

} // namespace ui
