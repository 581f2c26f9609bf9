#pragma once

#include "core/base/Prompter.h"

#include <string>
#include <vector>

namespace testing_support {

// Records every box and answers each question as told.
class FakePrompter : public core::Prompter {
public:
    bool ask(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    void inform(const std::string& message) override { informed.push_back(message); }
    void showError(const std::string& message) override { errors.push_back(message); }

    std::vector<std::string> questions;
    std::vector<std::string> informed;
    std::vector<std::string> errors;
    bool answer = true;
};

} // namespace testing_support
