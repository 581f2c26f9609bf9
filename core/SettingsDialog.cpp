#include "SettingsDialog.h"

#include "SettingsFile.h"

namespace core {

namespace {

std::string flagText(bool on) {
    return on ? "1" : "0";
}

} // namespace

SettingsDialogValues settingsDialogValues(const Settings& settings) {
    return {isOn(settings.CPUchange), isOn(settings.BEEPchange), isOn(settings.TASKICOchange),
            settings.shutDownSeconds()};
}

bool acceptSettingsDialog(Settings& settings, const SettingsDialogValues& values, FileStore& files,
                          const std::string& settingsPath, Prompter& prompter) {
    settings.CPUchange = flagText(values.cpuHandOver);
    settings.BEEPchange = flagText(values.beep);
    settings.TASKICOchange = flagText(values.hideTrayIcon);
    settings.ShutDownTime = std::to_string(values.countdownSeconds);
    bool written = false;
    runGuarded(prompter, [&] {
        writeSetting(files, settingsPath, "CPUchange", settings.CPUchange);
        writeSetting(files, settingsPath, "BEEPchange", settings.BEEPchange);
        writeSetting(files, settingsPath, "TASKICOchange", settings.TASKICOchange);
        writeSetting(files, settingsPath, "ShutDownTime", settings.ShutDownTime);
        written = true;
    });
    return written;
}

} // namespace core
