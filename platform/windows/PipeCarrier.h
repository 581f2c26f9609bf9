#pragma once

#include "Win32.h"
#include "WindowsFileStore.h"
#include "core/command/CommandSide.h"

#include <string>

namespace platform {

// A command's way to the running copy on Windows: the command pipe; a copy it starts is this
// program file, detached from the console.
class PipeCarrier : public core::CommandCarrier {
public:
    PipeCarrier() = default;
    PipeCarrier(const PipeCarrier&) = delete;
    PipeCarrier& operator=(const PipeCarrier&) = delete;
    ~PipeCarrier() override;

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
    std::string unreachableHint() const override { return {}; }
    std::string policyReport() override;
    std::string helpExamples() const override;

private:
    WindowsFileStore files_;
    ULONGLONG began_ = GetTickCount64();
    HANDLE copy_ = nullptr;
    bool ended_ = false;
};

} // namespace platform
