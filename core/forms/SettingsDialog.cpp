#include "SettingsDialog.h"

#include "core/files/SettingsFile.h"

namespace core {

namespace {

std::string flagText(bool on) {
    return on ? "1" : "0";
}

} // namespace

SettingsDialogValues SettingsDialog::FormShow() {
    const Settings& settings = services_.settings;
    shownStartAtLogon_ = services_.autostart.isThisCopys();
    return {isOn(settings.CPUchange),   isOn(settings.BEEPchange), isOn(settings.TASKICOchange),
            settings.shutDownSeconds(), shownStartAtLogon_,        isOn(settings.NOTICEchange),
            settings.noticeMinutes(),   isOn(settings.WAKEchange)};
}

bool SettingsDialog::Button1Click(const SettingsDialogValues& values) {
    Settings& settings = services_.settings;
    settings.CPUchange = flagText(values.cpuHandOver);
    settings.BEEPchange = flagText(values.beep);
    settings.TASKICOchange = flagText(values.hideTrayIcon);
    settings.ShutDownTime = std::to_string(values.countdownSeconds);
    settings.NOTICEchange = flagText(values.notice);
    settings.NOTICETime = std::to_string(values.noticeMinutes);
    settings.WAKEchange = flagText(values.wakeForBooking);
    bool written = false;
    runGuarded(services_.prompter, [&] {
        const std::string& path = services_.settingsPath;
        writeSetting(services_.files, path, "CPUchange", settings.CPUchange);
        writeSetting(services_.files, path, "BEEPchange", settings.BEEPchange);
        writeSetting(services_.files, path, "TASKICOchange", settings.TASKICOchange);
        writeSetting(services_.files, path, "ShutDownTime", settings.ShutDownTime);
        writeSetting(services_.files, path, "NOTICEchange", settings.NOTICEchange);
        writeSetting(services_.files, path, "NOTICETime", settings.NOTICETime);
        writeSetting(services_.files, path, "WAKEchange", settings.WAKEchange);
        written = true;
    });
    if (!written)
        return false;
    if (values.startAtLogon != shownStartAtLogon_) {
        runGuarded(services_.prompter, [&] {
            if (values.startAtLogon)
                services_.autostart.create();
            else
                services_.autostart.remove();
        });
        shownStartAtLogon_ = values.startAtLogon;
    }
    return true;
}

} // namespace core
