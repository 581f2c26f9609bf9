#include "ProcessWaits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

struct ProcessWaits::Wait {
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    std::function<void()> ended;
};

namespace {

// When the process started, in ticks since the boot: what tells it from a later one that was
// given the same id. Empty when it is gone.
QByteArray startOf(const QByteArray& line) {
    // "... (name) S ppid ...": the start time is the 20th field after the name.
    constexpr int kStartField = 19;
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > kStartField ? fields[kStartField] : QByteArray();
}

QByteArray statOf(int id) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(id));
    return stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
}

// The process's short name, or nothing for one that has ended and waits to be reaped, and for a
// kernel thread (kthreadd, 2, and its children).
std::optional<QString> liveName(const QByteArray& line) {
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= line.size())
        return std::nullopt;
    const char state = line.at(close + 2);
    if (state == 'Z' || state == 'X')
        return std::nullopt;
    // "... (name) S 2 ...": the state, then the parent's id.
    if (line.mid(close + 3).trimmed().startsWith("2 ") || line.startsWith("2 "))
        return std::nullopt;
    return QString::fromUtf8(line.mid(open + 1, close - open - 1));
}

int openPidfd(int id) {
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(id), 0U));
}

// Unregistered at once, deleted once its signal (which may be under way) has returned.
void drop(std::unique_ptr<QSocketNotifier> notifier) {
    const auto fd = static_cast<int>(notifier->socket());
    notifier->setEnabled(false);
    notifier.release()->deleteLater();
    ::close(fd);
}

} // namespace

ProcessWaits::ProcessWaits(QObject* parent) : QObject(parent) {}

void ProcessWaits::everyOwnProcess(const std::function<void(int, const QString&, const QString&,
                                                            const QByteArray&)>& visit) const {
    const QString own = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int id = entry.toInt(&number);
        if (!number || entry == own)
            continue;
        const QString folder = proc.filePath(entry);
        const QByteArray stat = statOf(id);
        const auto name = liveName(stat);
        if (!name || QFileInfo(folder).ownerId() != ::getuid())
            continue;
        // Unreadable for a process that made itself undumpable: its short name still counts. A
        // program file replaced while it runs (an upgrade) reads "name (deleted)".
        QString program =
            QFileInfo(QFile::symLinkTarget(folder + QStringLiteral("/exe"))).fileName();
        const QString deleted = QStringLiteral(" (deleted)");
        if (program.endsWith(deleted))
            program.chop(deleted.size());
        visit(id, *name, program, startOf(stat));
    }
}

std::vector<std::pair<int, QByteArray>>
ProcessWaits::idsOf(const core::ProcessTarget& target) const {
    std::vector<std::pair<int, QByteArray>> ids;
    const QString wanted = QString::fromStdString(target.name);
    everyOwnProcess([&](int id, const QString& name, const QString& program,
                        const QByteArray& start) {
        if (std::find(target.excluded.begin(), target.excluded.end(), id) != target.excluded.end())
            return;
        // The short name is cut at 15 bytes; the program file's name is whole.
        if (target.id ? *target.id == id : name == wanted || program == wanted)
            ids.emplace_back(id, start);
    });
    return ids;
}

std::vector<std::string> ProcessWaits::runningNames() const {
    std::vector<std::string> names;
    everyOwnProcess([&](int, const QString& name, const QString& program, const QByteArray&) {
        // The whole name where the short one was cut from it; an interpreter's script keeps its
        // own short name.
        const bool cut = name.toUtf8().size() == 15 && program.startsWith(name);
        names.push_back((cut ? program : name).toStdString());
    });
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool ProcessWaits::waitForEnd(const core::ProcessTarget& target, std::function<void()> ended) {
    auto wait = std::make_unique<Wait>();
    for (const auto& [id, start] : idsOf(target)) {
        const int fd = openPidfd(id);
        if (fd < 0)
            continue;
        // The id went to another process between the look and the open: not the one named.
        if (startOf(statOf(id)) != start) {
            ::close(fd);
            continue;
        }
        // A child of this object too, so that one dropped but not yet deleted goes with it.
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read, this);
        QSocketNotifier* raw = notifier.get();
        Wait* owner = wait.get();
        connect(raw, &QSocketNotifier::activated, this,
                [this, owner, raw] { processEnded(owner, raw); });
        wait->notifiers.push_back(std::move(notifier));
    }
    if (wait->notifiers.empty())
        return false;
    wait->ended = std::move(ended);
    waits_.push_back(std::move(wait));
    return true;
}

void ProcessWaits::processEnded(Wait* wait, QSocketNotifier* notifier) {
    auto& notifiers = wait->notifiers;
    const auto done = std::find_if(notifiers.begin(), notifiers.end(),
                                   [notifier](const auto& n) { return n.get() == notifier; });
    drop(std::move(*done));
    notifiers.erase(done);
    if (!notifiers.empty())
        return;
    // Taken out before it is told: what it does next may start or cancel waits.
    const auto at = std::find_if(waits_.begin(), waits_.end(),
                                 [wait](const auto& w) { return w.get() == wait; });
    auto ended = std::move((*at)->ended);
    waits_.erase(at);
    ended();
}

void ProcessWaits::cancelWaits() {
    for (const auto& wait : waits_)
        for (auto& notifier : wait->notifiers)
            drop(std::move(notifier));
    waits_.clear();
}

ProcessWaits::~ProcessWaits() {
    cancelWaits();
}

} // namespace platform
