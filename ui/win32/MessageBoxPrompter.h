#pragma once

#include "core/base/Prompter.h"

namespace ui {

// The program's message boxes through MessageBoxW, with the buttons captioned "はい(&Y)",
// "いいえ(&N)" and "OK" whatever the system's language.
class MessageBoxPrompter : public core::Prompter {
public:
    bool ask(const std::string& question) override;
    void inform(const std::string& message) override;
    void showError(const std::string& message) override;
};

} // namespace ui
