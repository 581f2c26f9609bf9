#pragma once

#include "core/base/AwakePorts.h"
#include "core/base/BusySource.h"
#include "core/base/Clock.h"
#include "core/base/CommandPort.h"
#include "core/base/DocumentViewer.h"
#include "core/base/FileStore.h"
#include "core/base/InputIdle.h"
#include "core/base/ProcessPort.h"
#include "core/base/Prompter.h"
#include "core/base/SystemLog.h"
#include "core/cpu/CpuUsageMeter.h"
#include "core/net/NetworkTraffic.h"
#include "core/policy/PolicySource.h"
#include "core/power/PowerPort.h"
#include "core/power/ShutdownSchedule.h"
#include "core/schedule/SharedState.h"

#include <string>

namespace core {

// What the session takes from the system, shared by its parts.
struct SessionServices {
    SharedState& state;
    const Clock& clock;
    CpuUsageMeter& cpu;
    PowerPort& power;
    Prompter& prompter;
    FileStore& files;
    std::string reservationPath;
    std::string settingsPath;
    IdleSleepBlock& awake;
    // Shows the history.
    DocumentViewer& viewer;
    // What the "終了待ち" watch waits for.
    ProcessPort& processes;
    NetworkCounters& network;
    InputIdleSource& input;
    // What an administrator set for this machine and user.
    PolicySource& policy;
    // Whether the user presents or works in full screen.
    BusySource& busy;
    // Where the system can wake the machine for a booking; none where it cannot.
    WakeTimer* wake = nullptr;
    // Where every history line also goes; none where the system keeps no log for the program.
    SystemLog* log = nullptr;
    // Where the system keeps a schedule of power-offs to come that other tools see; none where
    // it keeps none.
    ShutdownSchedule* schedule = nullptr;
    // Runs the command before the action; none where no command can run.
    CommandPort* commands = nullptr;
};

} // namespace core
