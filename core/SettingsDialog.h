#pragma once

#include "FileStore.h"
#include "Prompter.h"
#include "Settings.h"

#include <string>

namespace core {

// What the settings dialog shows and takes: three switches and the countdown length.
struct SettingsDialogValues {
    bool cpuHandOver;  // "CPUchange"
    bool beep;         // "BEEPchange"
    bool hideTrayIcon; // "TASKICOchange"
    int countdownSeconds;
};

// The values the dialog shows when it opens. A hand-edited length that is no number shows the
// default, as the countdown uses it.
SettingsDialogValues settingsDialogValues(const Settings& settings);

// OK: the four settings take the values and are written in order. True when all were written
// and the dialog closes; a refused write is shown and the dialog stays open.
bool acceptSettingsDialog(Settings& settings, const SettingsDialogValues& values, FileStore& files,
                          const std::string& settingsPath, Prompter& prompter);

} // namespace core
