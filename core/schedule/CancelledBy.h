#pragma once

namespace core {

// What ended a countdown before its time, or the requests that repeat after it: its buttons and
// keys, a command, the tray's キャンセル, or the system, which called the session's end off.
enum class CancelledBy { Button, Escape, CloseBox, Command, Tray, System };

} // namespace core
