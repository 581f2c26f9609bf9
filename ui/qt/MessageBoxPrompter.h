#pragma once

#include "Prompter.h"

namespace ui {

class MessageBoxPrompter : public Prompter {
public:
    bool ask(const QString& question) override;
    void inform(const QString& message) override;
    void showError(const QString& message) override;
};

} // namespace ui
