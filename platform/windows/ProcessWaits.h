#pragma once

#include "Win32.h"
#include "core/base/ProcessPort.h"

#include <memory>
#include <vector>

namespace platform {

// This user's processes from the system's process snapshot, each waited on by its handle on the
// thread pool (RegisterWaitForSingleObject); an end is posted to a message-only window, so any
// message loop of the thread, a box's or a menu's included, brings it.
class ProcessWaits : public core::ProcessPort {
public:
    ProcessWaits();
    ~ProcessWaits() override;
    ProcessWaits(const ProcessWaits&) = delete;
    ProcessWaits& operator=(const ProcessWaits&) = delete;

    bool waitForEnd(const core::ProcessTarget& target, std::function<void()> ended) override;
    void cancelWaits() override;
    std::vector<std::string> runningNames() const override;

private:
    struct Process;
    struct Wait;
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void processEnded(unsigned waitId, unsigned processId);

    HWND window_ = nullptr;
    unsigned nextWaitId_ = 0;
    std::vector<std::unique_ptr<Wait>> waits_;
};

} // namespace platform
