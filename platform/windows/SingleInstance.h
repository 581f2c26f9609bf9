#pragma once

#include "Win32.h"

#include <string>
#include <string_view>

namespace platform {

// The named mutex whose existence means that a copy of the program runs. The running copy holds
// a handle for its whole life without owning the mutex.
class SingleInstance {
public:
    explicit SingleInstance(std::string_view name) : name_(name) {}
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Creates the mutex or, when it exists already, opens it: one step, so that of two copies
    // started at the same moment exactly one runs. True when another copy runs.
    bool otherCopyRuns();

private:
    std::string name_;
    HANDLE mutex_ = nullptr;
};

// From a command: a copy holds the mutex of that name, though it may not have a window yet.
bool copyHoldsGuard(std::string_view name);

// The running copy's main window, found by class and title, shown (a hidden one by the message,
// sent and waited for; a minimised one restored) and brought to the front.
void showRunningCopy(const wchar_t* windowClass, const std::string& title, UINT showMessage);

// Raises a top-level window of another program above the others, with this thread's input
// attached to the foreground thread's while it does.
bool BringWindowToFront(HWND window);

} // namespace platform
