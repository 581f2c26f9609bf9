#pragma once

#include "Win32.h"
#include "core/base/CommandPort.h"

#include <string>

namespace platform {

// The command before the action as a process with no console window, in a Job Object of its
// own, so that a time up or a cancel ends whatever it started with it. The line is given to the
// program as typed; its program is found as CreateProcess would find it, its words split as
// CommandLineToArgvW splits them. Its output comes through a pipe, read when it is looked at.
class ChildCommand : public core::CommandPort {
public:
    ChildCommand() = default;
    ~ChildCommand() override;
    ChildCommand(const ChildCommand&) = delete;
    ChildCommand& operator=(const ChildCommand&) = delete;

    std::optional<std::string> unusable(const std::string& line) const override;
    std::optional<std::string> start(const std::string& line) override;
    std::optional<core::CommandEnd> ended() override;
    void stop() override;

private:
    void drain();
    void close();

    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    HANDLE output_ = nullptr;
    // What it wrote, in the console's code page, the last few kilobytes of it.
    std::string written_;
};

} // namespace platform
