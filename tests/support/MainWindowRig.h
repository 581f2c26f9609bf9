#pragma once

#include "core/text/Cp932.h"
#include "tests/support/FakeAwake.h"
#include "tests/support/FakeBusy.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeInputIdle.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakePolicy.h"
#include "tests/support/FakeProcesses.h"
#include "tests/support/FakeTickTimer.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/UiFakes.h"
#include "ui/qt/Unit1.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace testing_support {

// A reservation file in code page 932 with the given rows first and empty rows after them.
inline std::string reservationFileOf(std::initializer_list<std::string> rows) {
    std::string text;
    for (const auto& row : rows)
        text += row + "\r\n";
    for (std::size_t i = rows.size(); i < 30; ++i)
        text += ",,,,,\r\n";
    return core::encodeCp932(text);
}

// The main window with a fake for every service it takes.
struct MainWindowRig {
    inline static const std::string kReservations = "SetTimeData.txt";
    inline static const std::string kSettings = "/opt/bwm/Brindlewhistmoore.ini";

    core::SharedState state;
    FakeClock clock;
    FakeCpu cpu;
    FakePowerPort power;
    FakePrompter prompter;
    MemoryFileStore files;
    FakeCountdown countdown;
    FakeTickTimer tickTimer;
    FakeAwake awake;
    FakeViewer viewer;
    FakeProcesses processes;
    FakeNetwork network;
    FakeInputIdle input;
    FakeBusy busy;
    FakePolicy policy;
    std::unique_ptr<ui::TForm1> form;

    explicit MainWindowRig(core::LocalTime now) : clock(now) {}

    // Creates the window over these files; a file not given does not exist. The widgets are built
    // at once, for the tests to reach, or as the program builds them: at the first showing.
    void create(std::optional<std::string> reservations,
                std::optional<std::string> settings = std::nullopt, bool widgetsNow = true) {
        if (reservations)
            files.files[kReservations] = *reservations;
        if (settings)
            files.files[kSettings] = *settings;
        form = std::make_unique<ui::TForm1>(
            ui::Form1Services{state, clock, cpu, power, prompter, files, kReservations, kSettings,
                              awake, viewer, processes, network, input, policy, busy},
            tickTimer);
        form->attachCountdown(countdown);
        if (widgetsNow)
            form->buildWidgets();
    }
};

} // namespace testing_support
