#pragma once

#include "core/base/CommandPort.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <memory>

namespace platform {

// The command before the action as a child process in a process group of its own, so that a
// time up or a cancel ends whatever it started with it. Its words split as a desktop entry's
// Exec key is; its program found as the shell would find it, but no shell runs it.
class ChildCommand : public QObject, public core::CommandPort {
    Q_OBJECT
public:
    explicit ChildCommand(QObject* parent = nullptr) : QObject(parent) {}
    ~ChildCommand() override;
    ChildCommand(const ChildCommand&) = delete;
    ChildCommand& operator=(const ChildCommand&) = delete;

    std::optional<std::string> unusable(const std::string& line) const override;
    std::optional<std::string> start(const std::string& line) override;
    std::optional<core::CommandEnd> ended() override;
    void stop() override;

private:
    std::unique_ptr<QProcess> process_;
    QByteArray output_;
};

} // namespace platform
