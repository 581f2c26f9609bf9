#pragma once

#include "core/cpu/CpuUsageMeter.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakePrompter.h"
#include "ui/qt/CountdownDialog.h"

#include <QStringList>

namespace testing_support {

class FakeCpu : public core::CpuUsageMeter {
public:
    int getUsage() override { return usage; }
    int usage = 0;
};

class FakeCountdown : public ui::CountdownDialog {
public:
    void showCountdown() override { ++shown; }
    void cancelCountdown(core::CancelledBy) override { ++cancelled; }
    int shown = 0;
    int cancelled = 0;
};

} // namespace testing_support
