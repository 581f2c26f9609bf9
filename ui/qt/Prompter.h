#pragma once

#include <QString>

namespace ui {

// The program's message boxes, so that tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A confirmation titled "確認"; true only for "はい(&Y)".
    virtual bool ask(const QString& question) = 0;
    virtual void inform(const QString& message) = 0;
    virtual void showError(const QString& message) = 0;
};

} // namespace ui
