#include "ShellViewer.h"

#include "SystemError.h"
#include "WideText.h"
#include "Win32.h"

namespace platform {

std::optional<std::string> ShellViewer::open(const std::string& path) {
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", toWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Above 32 is success; the failures set the thread's last error.
    if (started > 32)
        return std::nullopt;
    // Some of these texts name the file as "%1".
    std::string message = systemMessage(GetLastError());
    if (const auto at = message.find("%1"); at != std::string::npos)
        message.replace(at, 2, path);
    return message;
}

} // namespace platform
