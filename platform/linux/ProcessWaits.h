#pragma once

#include "core/base/ProcessPort.h"

#include <QByteArray>
#include <QObject>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace platform {

// This user's processes under /proc, each waited on by a pidfd in the event loop: a reused
// process id cannot fool it, and no timer polls.
class ProcessWaits : public QObject, public core::ProcessPort {
    Q_OBJECT
public:
    explicit ProcessWaits(QObject* parent = nullptr);
    ~ProcessWaits() override;

    bool waitForEnd(const core::ProcessTarget& target, std::function<void()> ended) override;
    void cancelWaits() override;
    std::vector<std::string> runningNames() const override;

private:
    struct Wait;
    // The ids of this user's live processes the target names, this process left out, each with
    // its start time.
    std::vector<std::pair<int, QByteArray>> idsOf(const core::ProcessTarget& target) const;
    // Each live process of this user but this one: its id, its short name, its program file's
    // name and its start time.
    void everyOwnProcess(const std::function<void(int, const QString&, const QString&,
                                                  const QByteArray&)>& visit) const;
    void processEnded(Wait* wait, QSocketNotifier* notifier);

    std::vector<std::unique_ptr<Wait>> waits_;
};

} // namespace platform
