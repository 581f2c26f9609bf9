#pragma once

#include "Win32.h"
#include "core/command/CommandAnswer.h"
#include "core/command/Wire.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A command reaches the running copy over a named pipe whose name holds this user's SID, made by
// the copy as its first instance, for local clients only, with a DACL that lets this user alone
// in. One message each way, a request and its answer on the command's wire.
std::wstring commandPipeName();

// From a command: sent once, only to a pipe whose server runs as this user; the answer, or
// whether the command may have reached the copy.
core::Delivery sendCommand(const std::vector<std::string>& args, DWORD timeoutMs);

// In the running copy: serves the pipe on a thread of its own, which sends `message` to the
// window for each command; the window then calls answerPending(). A sent message is taken by the
// window's thread in any loop, a message box's or a menu's too, and the window stays free while
// the pipe waits.
class CommandPipeServer {
public:
    using Runner = std::function<core::CommandAnswer(const core::CommandRequest&)>;
    CommandPipeServer(HWND window, UINT message);
    // Waits for the thread, answering what it sends meanwhile.
    ~CommandPipeServer();
    CommandPipeServer(const CommandPipeServer&) = delete;
    CommandPipeServer& operator=(const CommandPipeServer&) = delete;

    // False when another process made the pipe first: no command reaches this copy then.
    bool listening() const { return thread_ != nullptr; }
    // On the window's thread, at `message`: runs the command the pipe's thread waits with. The
    // same message from anywhere else finds none and runs nothing.
    void answerPending(const Runner& run);

private:
    struct Call {
        core::CommandRequest request;
        std::optional<core::CommandAnswer> answer;
    };

    static DWORD WINAPI run(void* self);
    void serve();
    // Waits for an overlapped call on the pipe for at most `ms`; false when it failed, timed out
    // or the server stops.
    bool finish(BOOL started, OVERLAPPED& overlapped, DWORD ms, DWORD* bytes);

    HWND window_;
    UINT message_;
    HANDLE pipe_;
    HANDLE stop_;
    HANDLE thread_ = nullptr;
    std::atomic<Call*> pending_{nullptr};
};

} // namespace platform
