#include "SingleInstance.h"

#include "WideText.h"

namespace platform {

SingleInstance::~SingleInstance() {
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

bool SingleInstance::otherCopyRuns() {
    mutex_ = CreateMutexA(nullptr, FALSE, name_.c_str());
    const DWORD error = GetLastError();
    // A mutex of the same name that this user may not open is held by a copy all the same.
    return mutex_ == nullptr ? error == ERROR_ACCESS_DENIED : error == ERROR_ALREADY_EXISTS;
}

bool copyHoldsGuard(std::string_view name) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, std::string(name).c_str());
    if (mutex == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mutex);
    return true;
}

void showRunningCopy(const wchar_t* windowClass, const std::string& title, UINT showMessage) {
    HWND window = FindWindowW(windowClass, toWide(title).c_str());
    if (window == nullptr)
        return;
    if (!IsWindowVisible(window))
        SendMessageW(window, showMessage, 0, 0);
    // Minimised counts as visible, so the message was not sent: restore it here.
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
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
