// The Windows program: one running copy, its three windows in order, and the message loop; with
// a command, the command sent to the running copy.
#include "CommandSide.h"
#include "core/command/CommandSide.h"
#include "core/files/SettingsFile.h"
#include "core/forms/FormDesign.h"
#include "core/lang/Language.h"
#include "core/schedule/SharedState.h"
#include "platform/windows/ChildCommand.h"
#include "platform/windows/CpuUtils.h"
#include "platform/windows/EventLogWriter.h"
#include "platform/windows/ExecutionState.h"
#include "platform/windows/IfTableCounters.h"
#include "platform/windows/LastInputIdle.h"
#include "platform/windows/NotificationState.h"
#include "platform/windows/ProcessWaits.h"
#include "platform/windows/RegistryPolicySource.h"
#include "platform/windows/SettingsLocation.h"
#include "platform/windows/ShellViewer.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/StartupShortcut.h"
#include "platform/windows/SystemLanguages.h"
#include "platform/windows/WaitableWakeTimer.h"
#include "platform/windows/Win32.h"
#include "platform/windows/WindowsClock.h"
#include "platform/windows/WindowsFileStore.h"
#include "platform/windows/WindowsPower.h"
#include "ui/win32/MessageBoxPrompter.h"
#include "ui/win32/Unit1.h"
#include "ui/win32/Unit2.h"
#include "ui/win32/Unit3.h"
#include "ui/win32/Unit4.h"

#include <objbase.h>

namespace {

void runMessageLoop(const std::initializer_list<HWND> keyboardWindows) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of the window in use.
        bool handled = false;
        for (HWND window : keyboardWindows)
            if (!handled && IsWindowVisible(window) && GetActiveWindow() == window)
                handled = IsDialogMessageW(window, &message) != FALSE;
        if (handled)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // Before any text is shown: the settings' language, else the user's display language.
    {
        platform::WindowsFileStore files;
        core::useCatalogue(
            core::chooseCatalogue(core::loadSettings(files, platform::settingsFilePath()).Language,
                                  platform::systemLanguages()));
    }
    const std::vector<std::string> args = commandArguments();
    const core::StartKind start = core::startKind(args);
    if (start == core::StartKind::WithCommand)
        return runCommandSide(args);

    ui::MessageBoxPrompter prompter;
    platform::SingleInstance guard(core::kGuardName);
    if (guard.otherCopyRuns()) {
        if (start == core::StartKind::AsUsual &&
            prompter.ask(core::tr(core::design::kSecondStartQuestion)))
            platform::showRunningCopy(ui::TForm1::kClassName,
                                      std::string(core::design::kProductName),
                                      ui::kShowRequestMessage);
        return 0;
    }

    // The shortcut of the start with the session is a shell object.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    core::SharedState state;
    platform::WindowsClock clock;
    platform::TCpuUsage CpuUsage1;
    platform::WindowsPower power;
    platform::WindowsFileStore files;
    platform::ExecutionState awake;
    platform::ShellViewer viewer;
    platform::ProcessWaits processes;
    platform::IfTableCounters network;
    platform::LastInputIdle input;
    platform::RegistryPolicySource policy;
    platform::NotificationState busy;
    platform::EventLogWriter eventLog;
    platform::WaitableWakeTimer wake;
    platform::ChildCommand commands;
    const std::string settingsPath = platform::settingsFilePath();
    platform::StartupShortcut autostart(platform::StartupShortcut::startupFolder(),
                                        platform::programFilePath());

    ui::TForm1 Form1({state, clock, CpuUsage1, power, prompter, files,
                      platform::reservationFilePath(settingsPath), settingsPath, awake, viewer,
                      processes, network, input, policy, busy, &wake, &eventLog, nullptr,
                      &commands});
    ui::TForm2 Form2(
        state, prompter, [&Form1](core::CancelledBy by) { Form1.countdownCancelled(by); },
        [&Form1] { return Form1.countdownPostponed(); },
        [&Form1] { return Form1.countdownFinished(); });
    ui::TForm3 Form3(
        {state.settings, files, settingsPath, prompter, autostart, &commands, &Form1.policy()});
    ui::TForm4 Form4(prompter);
    Form1.attachCountdown(Form2);
    Form1.attachSettingsDialog(Form3);
    Form1.attachPolicyList(Form4);
    // The countdown first: the main window's start may show it at once. The main window owns the
    // settings dialog, which then stays in front of it.
    Form2.create();
    Form1.create();
    Form3.create(Form1.handle());
    Form4.create(Form1.handle());
    runMessageLoop({Form1.handle(), Form3.handle(), Form4.handle()});
    return 0;
}
