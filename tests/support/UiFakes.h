#pragma once

#include "core/CpuUsageMeter.h"
#include "tests/support/FakePowerApi.h"
#include "ui/qt/CountdownDialog.h"
#include "ui/qt/Prompter.h"

#include <QStringList>

namespace testing_support {

class FakeCpu : public core::CpuUsageMeter {
public:
    int getUsage() override { return usage; }
    int usage = 0;
};

class FakePrompter : public ui::Prompter {
public:
    bool ask(const QString& question) override {
        questions << question;
        return answer;
    }
    void inform(const QString& message) override { informed << message; }
    void showError(const QString& message) override { errors << message; }
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
