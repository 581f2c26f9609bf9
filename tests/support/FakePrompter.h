#pragma once

#include "core/base/Prompter.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Records every box and answers each question as told; `whileOpen` runs inside each box, as the
// events a real box's loop lets through.
class FakePrompter : public core::Prompter {
public:
    std::vector<std::string> questions;
    std::vector<std::string> informed;
    std::vector<std::string> errors;
    bool answer = true;
    std::function<void()> whileOpen;

private:
    bool askBox(const std::string& question) override {
        questions.push_back(question);
        open();
        return answer;
    }
    void informBox(const std::string& message) override {
        informed.push_back(message);
        open();
    }
    void errorBox(const std::string& message) override {
        errors.push_back(message);
        open();
    }
    void open() {
        if (whileOpen)
            whileOpen();
    }
};

} // namespace testing_support
