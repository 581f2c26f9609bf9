#include "SingleInstance.h"

namespace platform {

SingleInstance::~SingleInstance() {
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

bool SingleInstance::otherCopyRuns() {
    mutex_ = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name_);
    return mutex_ != nullptr;
}

void SingleInstance::becomeTheRunningCopy() {
    mutex_ = CreateMutexA(nullptr, FALSE, name_);
}

void showRunningCopy(const char* windowClass, const char* title, UINT showMessage) {
    HWND window = FindWindowA(windowClass, title);
    if (window == nullptr)
        return;
    if (!IsWindowVisible(window))
        SendMessageA(window, showMessage, 0, 0);
    BringWindowToFront(window);
}

bool BringWindowToFront(HWND window) {
    const DWORD owner = GetWindowThreadProcessId(window, nullptr);
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (owner == foreground)
        return BringWindowToTop(window) != FALSE;
    AttachThreadInput(owner, foreground, TRUE);
    const bool raised = BringWindowToTop(window) != FALSE;
    AttachThreadInput(owner, foreground, FALSE);
    return raised;
}

} // namespace platform
