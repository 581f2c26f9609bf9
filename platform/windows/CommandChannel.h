#pragma once

#include "Win32.h"
#include "core/forms/CommandSide.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// A command reaches the running copy's main window as WM_COPYDATA (its arguments in UTF-8,
// separated by NUL bytes), with the sender's window in wParam; the copy answers the same way to
// that window before its handler returns. A window makes no named object another user could
// squat, and the copy checks that the sender runs as the same user.
inline constexpr ULONG_PTR kCommandData = 0x434D5742; // "BWMC"
inline constexpr ULONG_PTR kAnswerData = 0x414D5742;  // "BWMA"

// From a command: the answer of the copy whose main window is of that class and title, or
// whether the command may have reached it.
core::Delivery sendCommand(const wchar_t* windowClass, const wchar_t* title,
                           const std::vector<std::string>& args, DWORD timeoutMs);

// In the running copy: the arguments of a WM_COPYDATA command, when it is one and its sender
// runs as this user.
std::optional<std::vector<std::string>> commandArguments(HWND sender, const COPYDATASTRUCT& data);
void sendAnswer(HWND from, HWND to, const core::CommandAnswer& answer);

} // namespace platform
