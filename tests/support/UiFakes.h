#pragma once

#include "core/CpuUsageMeter.h"
#include "core/Prompter.h"
#include "tests/support/FakePowerApi.h"
#include "ui/qt/CountdownDialog.h"

#include <QStringList>

namespace testing_support {

class FakeCpu : public core::CpuUsageMeter {
public:
    int getUsage() override { return usage; }
    int usage = 0;
};

class FakePrompter : public core::Prompter {
public:
    bool ask(const std::string& question) override {
        questions << QString::fromStdString(question);
        return answer;
    }
    void inform(const std::string& message) override {
        informed << QString::fromStdString(message);
    }
    void showError(const std::string& message) override {
        errors << QString::fromStdString(message);
    }
    QStringList questions;
    QStringList informed;
    QStringList errors;
    bool answer = true;
};

class FakeCountdown : public ui::CountdownDialog {
public:
    void showCountdown() override { ++shown; }
    int shown = 0;
};

} // namespace testing_support
