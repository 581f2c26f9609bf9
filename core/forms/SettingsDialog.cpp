#include "SettingsDialog.h"

#include "core/files/SettingsFile.h"
#include "core/lang/Catalogue.h"

#include <algorithm>

namespace core {

namespace {

// What OK writes, in this order; the language only when it was chosen afresh.
constexpr std::string Settings::*kDialogSettings[] = {
    &Settings::CPUchange,    &Settings::BEEPchange,   &Settings::TASKICOchange,
    &Settings::ShutDownTime, &Settings::NOTICEchange, &Settings::NOTICETime,
    &Settings::WAKEchange};

std::string flagText(bool on) {
    return on ? "1" : "0";
}

// "" for the system's, then the source's, then each built-in catalogue's.
std::vector<std::string> languageSettings() {
    std::vector<std::string> settings{"", std::string(kSourceLanguage)};
    for (const Catalogue* catalogue : builtInCatalogues())
        settings.emplace_back(catalogue->language);
    return settings;
}

} // namespace

std::vector<std::string> languageChoices() {
    std::vector<std::string> choices{tr("システムに合わせる"), std::string(kSourceLanguageName)};
    for (const Catalogue* catalogue : builtInCatalogues())
        choices.emplace_back(catalogue->name);
    return choices;
}

SettingsDialogValues SettingsDialog::FormShow() {
    const Settings& settings = services_.settings;
    shownStartAtLogon_ = services_.autostart.isThisCopys();
    return {isOn(settings.CPUchange),   isOn(settings.BEEPchange), isOn(settings.TASKICOchange),
            settings.shutDownSeconds(), shownStartAtLogon_,        isOn(settings.NOTICEchange),
            settings.noticeMinutes(),   isOn(settings.WAKEchange), languageIndex()};
}

int SettingsDialog::languageIndex() const {
    const auto settings = languageSettings();
    const auto found = std::find(settings.begin(), settings.end(), services_.settings.Language);
    // A language with no catalogue here is left to the system, as at the start.
    return found == settings.end() ? 0 : static_cast<int>(found - settings.begin());
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
    const auto languages = languageSettings();
    const bool languageChanged = values.language != languageIndex() && values.language >= 0 &&
                                 values.language < static_cast<int>(languages.size());
    bool written = false;
    runGuarded(services_.prompter, [&] {
        const std::string& path = services_.settingsPath;
        for (auto member : kDialogSettings)
            writeSetting(services_.files, path, settings, member);
        if (languageChanged) {
            settings.Language = languages[static_cast<std::size_t>(values.language)];
            writeSetting(services_.files, path, settings, &Settings::Language);
        }
        written = true;
    });
    if (!written)
        return false;
    if (languageChanged)
        services_.prompter.inform(tr("表示の言語は次の起動から変わります。"));
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
