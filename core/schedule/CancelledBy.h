#pragma once

namespace core {

// What ended a countdown before its time, or the requests that repeat after it: its buttons and
// keys, a command, the tray's キャンセル, the system, which called the session's end off, or
// another program, which withdrew it from the system's schedule.
enum class CancelledBy { Button, Escape, CloseBox, Command, Tray, System, Schedule };

} // namespace core
