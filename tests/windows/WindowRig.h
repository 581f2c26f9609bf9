#pragma once

// The main window and the countdown over fakes, made as the program makes them, for the tests
// that look at real windows under wine.
#include "core/cpu/CpuUsageMeter.h"
#include "tests/support/FakeAwake.h"
#include "tests/support/FakeBusy.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeInputIdle.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakePolicy.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakeProcesses.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/MemoryFileStore.h"
#include "ui/win32/Unit1.h"
#include "ui/win32/Unit2.h"

namespace testing_support {

struct StillCpu : core::CpuUsageMeter {
    int getUsage() override { return 0; }
};

struct WindowRig {
    WindowRig() {
        main.attachCountdown(countdown);
        countdown.create();
        main.create();
    }

    core::SharedState state;
    FakeClock clock{at(2026, 12, 7, 9, 0, 0)};
    StillCpu cpu;
    FakePowerPort power;
    FakePrompter prompter;
    MemoryFileStore files;
    FakeAwake awake;
    FakeViewer viewer;
    FakeProcesses processes;
    FakeNetwork network;
    FakeInputIdle input;
    FakeBusy busy;
    FakePolicy policy;
    ui::TForm1 main{{state, clock, cpu, power, prompter, files, "SetTimeData.txt",
                     "Brindlewhistmoore.ini", awake, viewer, processes, network, input, policy,
                     busy}};
    ui::TForm2 countdown{state, prompter, [](core::CancelledBy) {},
                         [] { return std::optional<std::string>(); },
                         [] { return std::optional<std::string>(); }};
};

} // namespace testing_support
