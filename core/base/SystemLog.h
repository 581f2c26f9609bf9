#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The booking an event belongs to, as fields of their own: "予約3" or "管理者の予約1", the
// action's key ("poweroff"), and its moment ("2026/12/07 12:00").
struct LogBooking {
    std::string row;
    std::string action;
    std::string moment;
    friend bool operator==(const LogBooking&, const LogBooking&) = default;
};

// One event as the system's log gets it: a fixed id per kind of event, for the log's tools to
// filter on.
struct LogEntry {
    // The journal's MESSAGE_ID: 32 hexadecimal digits.
    std::string_view messageId;
    // The Windows Event Log's event id.
    int eventId = 0;
    // syslog's: 4 warning, 5 notice, 6 informational.
    int priority = 6;
    // The kind of event as the history names it, and its details.
    std::string event;
    std::string details;
    std::optional<LogBooking> booking = std::nullopt;
};

// The system's log (the journal, the Windows Event Log). A log that cannot be written costs
// nothing else: it says nothing back.
class SystemLog {
public:
    virtual ~SystemLog() = default;
    virtual void write(const LogEntry& entry) noexcept = 0;
};

} // namespace core
