#include "SettingsDialog.h"

#include "core/files/SettingsFile.h"
#include "core/lang/Catalogue.h"
#include "core/text/Cp932.h"

#include <algorithm>

namespace core {

namespace {

namespace d = design::form3;

std::size_t switchOf(std::string Settings::*member) {
    std::size_t index = 0;
    while (index + 1 < std::size(d::kSwitches) && d::kSwitches[index].member != member)
        ++index;
    return index;
}

// OK writes the switches and the two numbers in the order of the keys; the language only when
// it was chosen afresh.
bool writtenAtOk(std::string Settings::*member) {
    return member == &Settings::ShutDownTime || member == &Settings::NOTICETime ||
           member == &Settings::PRECOMMAND || member == &Settings::PRECOMMANDTime ||
           std::ranges::any_of(d::kSwitches,
                               [member](const auto& entry) { return entry.member == member; });
}

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

bool& SettingsDialogValues::on(std::string Settings::*member) {
    return switches[switchOf(member)];
}

bool SettingsDialogValues::on(std::string Settings::*member) const {
    return switches[switchOf(member)];
}

SettingsDialogValues SettingsDialog::FormShow() {
    const Settings& settings = services_.settings;
    shownStartAtLogon_ = services_.autostart.isThisCopys();
    SettingsDialogValues values;
    for (const auto& entry : d::kSwitches)
        values.on(entry.member) = isOn(settings.*entry.member);
    values.countdownSeconds = settings.shutDownSeconds();
    values.startAtLogon = shownStartAtLogon_;
    values.noticeMinutes = settings.noticeMinutes();
    values.language = languageIndex();
    values.command = decodeCp932(settings.PRECOMMAND);
    values.commandSeconds = settings.preCommandSeconds();
    return values;
}

int SettingsDialog::languageIndex() const {
    const auto settings = languageSettings();
    const auto found = std::find(settings.begin(), settings.end(), services_.settings.Language);
    // A language with no catalogue here is left to the system, as at the start.
    return found == settings.end() ? 0 : static_cast<int>(found - settings.begin());
}

std::optional<std::string> SettingsDialog::commandRefusal(const std::string& command) const {
    if (command.empty())
        return std::nullopt;
    if (decodeCp932(encodeCp932(command)) != command)
        return tr("設定ファイル (シフト JIS) に書けない文字があります");
    if (services_.commands != nullptr)
        return services_.commands->unusable(command);
    return std::nullopt;
}

std::vector<std::string> SettingsDialog::overruled(const SettingsDialogValues& values) const {
    std::vector<std::string> notes;
    const Policy* policy = services_.policy;
    if (policy == nullptr)
        return notes;
    const Settings& settings = services_.settings;
    if (!values.command.empty() && values.command != decodeCp932(settings.PRECOMMAND)) {
        if (!policy->preActionCommand.value.empty())
            notes.push_back(tr("管理者の設定のコマンドが、このコマンドの代わりに実行されます。"));
        else if (!policy->allowUserCommand.value)
            notes.push_back(tr("管理者の設定で、利用者のコマンドは実行しません。"));
    }
    const auto& defer = policy->deferWhileBusy.value;
    if (defer && values.on(&Settings::DEFERchange) != isOn(settings.DEFERchange))
        notes.push_back(*defer ? tr("管理者の設定で、発表中・全画面表示中はいつも待ちます。")
                               : tr("管理者の設定で、発表中・全画面表示中も待ちません。"));
    return notes;
}

bool SettingsDialog::Button1Click(const SettingsDialogValues& values) {
    if (const auto why = commandRefusal(values.command)) {
        services_.prompter.showError(fill(tr("実行前のコマンドを使えません: {0}"), {*why}));
        return false;
    }
    const std::vector<std::string> notes = overruled(values);
    Settings& settings = services_.settings;
    settings.PRECOMMAND = encodeCp932(values.command);
    settings.PRECOMMANDTime = std::to_string(values.commandSeconds);
    for (const auto& entry : d::kSwitches)
        settings.*entry.member = flagText(values.on(entry.member));
    settings.ShutDownTime = std::to_string(values.countdownSeconds);
    settings.NOTICETime = std::to_string(values.noticeMinutes);
    const auto languages = languageSettings();
    const bool languageChanged = values.language != languageIndex() && values.language >= 0 &&
                                 values.language < static_cast<int>(languages.size());
    bool written = false;
    runGuarded(services_.prompter, [&] {
        const std::string& path = services_.settingsPath;
        for (const SettingKey& key : kSettingKeys)
            if (writtenAtOk(key.member))
                writeSetting(services_.files, path, settings, key.member);
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
    if (!notes.empty()) {
        std::string text;
        for (const std::string& note : notes)
            text += (text.empty() ? "" : "\n") + note;
        services_.prompter.inform(text);
    }
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
