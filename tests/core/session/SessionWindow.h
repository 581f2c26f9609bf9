#pragma once

#include "core/session/MainWindowModel.h"
#include "core/text/Cp932.h"
#include "tests/support/FakeAwake.h"
#include "tests/support/FakeBusy.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeCommands.h"
#include "tests/support/FakeInputIdle.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakePolicy.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakeProcesses.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeTickTimer.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/FakeWindowControls.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/RecordingLog.h"

#include <string>
#include <vector>

// The main window's model over fakes, shared by the session's tests.
namespace session_test {

using namespace core;
using testing_support::at;
using Texts = std::vector<std::string>;

inline const std::string kIni = "/opt/bwm/Brindlewhistmoore.ini";

class FakeCpu : public CpuUsageMeter {
public:
    int getUsage() override { return usage; }
    int usage = 0;
};

// The main window's model over fakes, created as the program creates it.
struct Window {
    explicit Window(std::initializer_list<std::string> rows = {},
                    std::optional<std::string> ini = std::nullopt) {
        std::string text;
        for (const auto& r : rows)
            text += r + "\r\n";
        files.files["SetTimeData.txt"] = encodeCp932(text);
        if (ini)
            files.files[kIni] = *ini;
        controls.onUserChange = [this](const MainWindowValues& values) {
            model.valuesChanged(values);
        };
        model.FormCreate();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            model.Timer1Timer();
    }

    SharedState state;
    testing_support::FakeClock clock{at(2026, 12, 7, 11, 59, 59, 700)};
    FakeCpu cpu;
    testing_support::FakePowerPort power;
    testing_support::FakePrompter prompter;
    testing_support::MemoryFileStore files;
    ReservationTable table;
    testing_support::FakeWindowControls controls;
    testing_support::FakeTickTimer tickTimer;
    testing_support::FakeAwake awake;
    testing_support::FakeWakeTimer wake;
    testing_support::FakeViewer viewer;
    testing_support::FakeProcesses processes;
    testing_support::FakeNetwork network;
    testing_support::FakeInputIdle input;
    testing_support::FakeBusy busy;
    testing_support::FakePolicy policy;
    testing_support::FakeShutdownSchedule schedule;
    testing_support::FakeCommands commands;
    testing_support::RecordingLog log;
    MainWindowModel model{{state, clock, cpu, power, prompter, files, "SetTimeData.txt", kIni,
                           awake, viewer, processes, network, input, policy, busy, &wake, &log,
                           &schedule, &commands},
                          table,
                          controls,
                          tickTimer};
};

// The history's events and details, without their times.
inline Texts historyEvents(testing_support::MemoryFileStore& files) {
    Texts events;
    const std::string& text = files.files["/opt/bwm/Brindlewhistmoore-history.txt"];
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        events.push_back(line.substr(line.find('\t') + 1));
        at = end + 1;
    }
    return events;
}

} // namespace session_test
