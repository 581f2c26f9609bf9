#include "ChildCommand.h"

#include "core/lang/Catalogue.h"
#include "core/text/DesktopExec.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#include <unistd.h>

namespace platform {

namespace {

struct Found {
    QString program;
    QStringList arguments;
};

// The words and the program's path, or why the line cannot run.
std::variant<Found, std::string> resolve(const std::string& line) {
    auto split = core::splitDesktopExec(line);
    if (auto* why = std::get_if<std::string>(&split))
        return *why;
    const auto& words = std::get<std::vector<std::string>>(split);
    const QString name = QString::fromStdString(words.front());
    const QString path = name.contains('/') ? name : QStandardPaths::findExecutable(name);
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return core::fill(core::tr("{0} が見つかりません"), {words.front()});
    if (!file.isFile() || !file.isExecutable())
        return core::fill(core::tr("{0} は実行できるファイルではありません"), {words.front()});
    Found found{file.absoluteFilePath(), {}};
    for (std::size_t i = 1; i < words.size(); ++i)
        found.arguments << QString::fromStdString(words[i]);
    return found;
}

} // namespace

ChildCommand::~ChildCommand() {
    stop();
}

std::optional<std::string> ChildCommand::unusable(const std::string& line) const {
    auto found = resolve(line);
    if (auto* why = std::get_if<std::string>(&found))
        return *why;
    return std::nullopt;
}

std::optional<std::string> ChildCommand::start(const std::string& line) {
    stop();
    auto found = resolve(line);
    if (auto* why = std::get_if<std::string>(&found))
        return *why;
    output_.clear();
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
    // A group of its own: a time up or a cancel ends its children too.
    process_->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(process_.get(), &QProcess::readyReadStandardOutput, this, [this] {
        output_ += process_->readAllStandardOutput();
        if (output_.size() > static_cast<qsizetype>(core::kCommandOutputKept))
            output_.remove(0, output_.size() - static_cast<qsizetype>(core::kCommandOutputKept));
    });
    const Found& command = std::get<Found>(found);
    process_->start(command.program, command.arguments);
    if (!process_->waitForStarted()) {
        const std::string why = process_->errorString().toStdString();
        process_.reset();
        return why;
    }
    return std::nullopt;
}

std::optional<core::CommandEnd> ChildCommand::ended() {
    if (!process_ || process_->state() != QProcess::NotRunning)
        return std::nullopt;
    output_ += process_->readAllStandardOutput();
    // Ended by a signal: its number past 128, as a shell says it.
    const int status = process_->exitStatus() == QProcess::CrashExit ? 128 + process_->exitCode()
                                                                     : process_->exitCode();
    process_.reset();
    const auto kept = output_.right(static_cast<qsizetype>(core::kCommandOutputKept));
    return core::CommandEnd{status, kept.toStdString()};
}

void ChildCommand::stop() {
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        ::kill(-static_cast<pid_t>(process_->processId()), SIGKILL);
        // Itself too, should it not have made its group.
        process_->kill();
        process_->waitForFinished(1000);
    }
    process_.reset();
}

} // namespace platform
