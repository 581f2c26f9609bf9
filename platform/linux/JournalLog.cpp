#include "JournalLog.h"

#include <string>
#include <sys/uio.h>
#include <systemd/sd-journal.h>
#include <vector>

namespace platform {

void JournalLog::write(const core::LogEntry& entry) noexcept {
    try {
        std::vector<std::string> fields{"MESSAGE=" + entry.event + ": " + entry.details,
                                        "PRIORITY=" + std::to_string(entry.priority),
                                        "MESSAGE_ID=" + std::string(entry.messageId),
                                        "SYSLOG_IDENTIFIER=Brindlewhistmoore",
                                        "BWM_EVENT=" + entry.event,
                                        "BWM_DETAILS=" + entry.details,
                                        "BWM_EVENT_ID=" + std::to_string(entry.eventId)};
        if (const auto& booking = entry.booking) {
            fields.push_back("BWM_ROW=" + booking->row);
            fields.push_back("BWM_ACTION=" + booking->action);
            fields.push_back("BWM_MOMENT=" + booking->moment);
        }
        std::vector<iovec> parts;
        parts.reserve(fields.size());
        for (std::string& field : fields)
            parts.push_back({field.data(), field.size()});
        sd_journal_sendv(parts.data(), static_cast<int>(parts.size()));
    } catch (...) {
        // The log costs nothing else, a lack of memory included.
    }
}

} // namespace platform
