#pragma once

#include "AtomicFileStore.h"
#include "CommandChannel.h"
#include "SingleInstance.h"
#include "core/command/CommandSide.h"

#include <QElapsedTimer>
#include <string>
#include <sys/types.h>

namespace platform {

// A command's way to the running copy on Linux: the single-instance guard's socket; a copy it
// starts runs in a session of its own.
class SocketCarrier : public core::CommandCarrier {
public:
    explicit SocketCarrier(std::string programPath);

    core::Delivery send(const std::vector<std::string>& args, int timeoutMs) override;
    long long elapsedMs() override;
    bool copyHoldsGuard() override;
    std::optional<std::string> sessionEntryFolder() override;
    std::string menuFolder() override;
    bool enter(const std::string& folder) override;
    const core::FileStore& files() override { return files_; }
    std::string reservationFilePath() override;
    std::string historyFilePath() override;
    bool startCopy() override;
    bool pause(int ms) override;
    std::string unreachableHint() const override;
    std::string policyReport() override;
    std::string helpExamples() const override;

private:
    std::string programPath_;
    SingleInstance guard_;
    AtomicFileStore files_;
    QElapsedTimer began_;
    pid_t copy_ = 0;
    bool ended_ = false;
};

} // namespace platform
