#include "core/command/CommandSide.h"
#include "core/files/SettingsFile.h"
#include "core/forms/FormDesign.h"
#include "core/lang/Language.h"
#include "core/schedule/SharedState.h"
#include "platform/linux/AtomicFileStore.h"
#include "platform/linux/ChildCommand.h"
#include "platform/linux/CommandChannel.h"
#include "platform/linux/CpuUtils.h"
#include "platform/linux/DesktopBusy.h"
#include "platform/linux/DesktopNotifier.h"
#include "platform/linux/DisplayCheck.h"
#include "platform/linux/IdleInhibitor.h"
#include "platform/linux/JournalLog.h"
#include "platform/linux/LinuxTickTimer.h"
#include "platform/linux/LogindPower.h"
#include "platform/linux/LogindSchedule.h"
#include "platform/linux/PolicyFileSource.h"
#include "platform/linux/ProcNetDevCounters.h"
#include "platform/linux/ProcStatSource.h"
#include "platform/linux/ProcessWaits.h"
#include "platform/linux/SessionIdleTime.h"
#include "platform/linux/SettingsLocation.h"
#include "platform/linux/SingleInstance.h"
#include "platform/linux/SocketCarrier.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/SystemLanguages.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XdgViewer.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/Unit3.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace {

// Before any text is shown: the settings' language, else the session's.
void chooseLanguage(const std::string& programPath) {
    platform::AtomicFileStore files;
    const core::Settings settings =
        core::loadSettings(files, platform::settingsFilePath(programPath));
    core::useCatalogue(core::chooseCatalogue(settings.Language, platform::systemLanguages()));
}

// Qt's own texts (the standard buttons, an edit field's menu) in the same language, where Qt's
// translations are installed.
void translateQt(QTranslator& translator) {
    const QString language = QString::fromUtf8(
        core::languageInUse().data(), static_cast<qsizetype>(core::languageInUse().size()));
    if (translator.load(QStringLiteral("qtbase_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

// The command side: help and version here, anything else through the running copy.
int runCommandSide(const std::vector<std::string>& args) {
    platform::SocketCarrier carrier(QCoreApplication::applicationFilePath().toStdString());
    const core::CommandAnswer answer =
        core::runCommandSide(args, QCoreApplication::applicationVersion().toStdString(), carrier);
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.status;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const core::StartKind start = core::startKind(args);
    if (start == core::StartKind::WithCommand) {
        QCoreApplication commandSide(argc, argv);
        QCoreApplication::setApplicationVersion(QStringLiteral(BWM_VERSION));
        chooseLanguage(QCoreApplication::applicationFilePath().toStdString());
        return runCommandSide(args);
    }
    if (auto problem = platform::displayProblem()) {
        std::fprintf(stderr, "Brindlewhistmoore: %s\n", problem->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewhistmoore"));
    chooseLanguage(QApplication::applicationFilePath().toStdString());
    QTranslator qtTexts;
    translateQt(qtTexts);
    QApplication::setFont(ui::programFont());
    // Hidden windows and the tray keep the program alive; only closing the main window ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::MessageBoxPrompter prompter;
    platform::SingleInstance guard(QString::fromUtf8(
        core::kGuardName.data(), static_cast<qsizetype>(core::kGuardName.size())));
    switch (guard.becomeTheRunningCopy()) {
    case platform::SingleInstance::Start::Running:
        break;
    case platform::SingleInstance::Start::OtherCopyRuns:
        if (start == core::StartKind::AsUsual &&
            prompter.ask(core::tr(core::design::kSecondStartQuestion)))
            platform::askRunningCopyToShow(guard.socketPath());
        return 0;
    case platform::SingleInstance::Start::LockUnusable:
        prompter.showError(guard.problem().toStdString());
        return 1;
    }

    platform::CommandSocketServer channel(guard.socketPath());

    core::SharedState state;
    platform::SystemClock clock;
    platform::TCpuUsage CpuUsage1(std::make_unique<platform::ProcStatSource>());
    platform::LogindBus logind;
    platform::LogindPower power(logind);
    platform::LogindSchedule schedule(logind);
    platform::ChildCommand commands;
    platform::AtomicFileStore files;
    const std::string programPath = QApplication::applicationFilePath().toStdString();
    const std::string settingsPath = platform::settingsFilePath(programPath);
    platform::XdgAutostart autostart(programPath);
    platform::LinuxTickTimer tickTimer(logind);
    platform::IdleInhibitor awake(logind);
    platform::XdgViewer viewer;
    platform::ProcessWaits processes;
    platform::ProcNetDevCounters network;
    platform::SessionIdleTime input(logind);
    platform::PolicyFileSource policy;
    platform::DesktopBusy busy(logind);
    platform::JournalLog journal;

    ui::TForm1 Form1({state, clock, CpuUsage1, power, prompter, files,
                      platform::reservationFilePath(settingsPath), settingsPath, awake, viewer,
                      processes, network, input, policy, busy, nullptr, &journal, &schedule,
                      &commands},
                     tickTimer);
    ui::TForm2 Form2(state, Form1, [] { QApplication::beep(); });
    ui::TForm3 Form3(
        {state.settings, files, settingsPath, prompter, autostart, &commands, &Form1.policy()});
    Form1.attachCountdown(Form2);
    Form1.attachSettingsDialog(Form3);
    const auto showMainWindow = [&Form1] {
        if (Form1.isHidden())
            Form1.WMAppShow();
        else
            Form1.bringToFront();
    };
    QObject::connect(&channel, &platform::CommandSocketServer::showRequested, &Form1,
                     showMainWindow);
    QObject::connect(&power, &platform::LogindPower::shutdownCalledOff, &Form1,
                     [&Form1] { Form1.sessionEndCalledOff(); });
    channel.onCommand(
        [&Form1](const core::CommandRequest& request) { return Form1.runCommandLine(request); });
    platform::DesktopNotifier notifier(clock);
    QObject::connect(&Form1, &ui::TForm1::noticeShown, &notifier, &platform::DesktopNotifier::show);
    QObject::connect(&notifier, &platform::DesktopNotifier::clicked, &Form1, showMainWindow);
    return QApplication::exec();
}
