#pragma once

#include "FormDesign.h"
#include "core/base/Autostart.h"
#include "core/base/CommandPort.h"
#include "core/base/FileStore.h"
#include "core/base/Prompter.h"
#include "core/base/Settings.h"
#include "core/policy/Policy.h"

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace core {

// What the settings dialog shows and takes: the switches, the autostart entry's, the countdown
// length, the notice's minutes and the language.
struct SettingsDialogValues {
    // Each of design::form3::kSwitches, in its order.
    std::array<bool, std::size(design::form3::kSwitches)> switches{};
    int countdownSeconds = 0;
    bool startAtLogon = false; // the autostart entry, not a key
    int noticeMinutes = 0;
    int language = 0; // as its index among languageChoices()
    // The command before the action (UTF-8) and the seconds it may take.
    std::string command;
    int commandSeconds = 0;

    // The switch that holds `member`.
    bool& on(std::string Settings::*member);
    bool on(std::string Settings::*member) const;
};

// The language selector's items: the system's language, then each language in its own name.
std::vector<std::string> languageChoices();

// The settings dialog's show and OK.
class SettingsDialog {
public:
    struct Services {
        Settings& settings;
        FileStore& files;
        std::string settingsPath;
        Prompter& prompter;
        Autostart& autostart;
        // Says at once that a command's program is not there; none where commands do not run.
        const CommandPort* commands = nullptr;
        // The administrator's policy in force, which may overrule what is chosen here.
        const Policy* policy = nullptr;
    };
    explicit SettingsDialog(Services services) : services_(std::move(services)) {}

    // The values the dialog shows when it opens. A hand-edited length that is no number shows
    // the default, as the countdown uses it; the last switch is on when this copy's autostart
    // entry exists.
    SettingsDialogValues FormShow();
    // OK: the settings take the values and are written in order; true when all were written and
    // the dialog closes, while a refused write is shown and the dialog stays open, as it does
    // for a command that cannot run (its program not there, its quoting, a character the
    // settings file cannot hold), said in a box.
    // A language chosen afresh is written and said to take effect at the next start.
    // Then the autostart entry is made or removed, only when its switch was changed since the
    // dialog opened, so an entry made by hand survives an unrelated OK; a failure there is
    // shown and the dialog closes all the same.
    // A command or a guard switch changed here that the administrator's policy overrules is said
    // so after the writing, in one box.
    bool Button1Click(const SettingsDialogValues& values);

private:
    // What the policy makes of the changes in `values`, before they are taken.
    std::vector<std::string> overruled(const SettingsDialogValues& values) const;
    int languageIndex() const;
    // Why the command cannot run, checked before anything is written.
    std::optional<std::string> commandRefusal(const std::string& command) const;

    Services services_;
    bool shownStartAtLogon_ = false;
};

} // namespace core
