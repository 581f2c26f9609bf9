#pragma once

namespace platform {

// The registered message by which the installers end a running copy before its files go. The
// user's close box and ソフト終了 may be refused while a countdown that may not be cancelled
// shows; this one is not, as an upgrade or an uninstall must go through.
inline constexpr wchar_t kEndForSetupMessage[] = L"Brindlewhistmoore.EndForSetup";

} // namespace platform
