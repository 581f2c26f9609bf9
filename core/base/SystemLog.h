#pragma once

#include <string>
#include <string_view>

namespace core {

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
};

// The system's log (the journal, the Windows Event Log). A log that cannot be written costs
// nothing else: it says nothing back.
class SystemLog {
public:
    virtual ~SystemLog() = default;
    virtual void write(const LogEntry& entry) noexcept = 0;
};

} // namespace core
