#include "JournalLog.h"

#include <string>
#include <systemd/sd-journal.h>

namespace platform {

void JournalLog::write(const core::LogEntry& entry) noexcept {
    const std::string id(entry.messageId);
    sd_journal_send("MESSAGE=%s: %s", entry.event.c_str(), entry.details.c_str(), "PRIORITY=%d",
                    entry.priority, "MESSAGE_ID=%s", id.c_str(),
                    "SYSLOG_IDENTIFIER=Brindlewhistmoore", "BWM_EVENT=%s", entry.event.c_str(),
                    "BWM_DETAILS=%s", entry.details.c_str(), "BWM_EVENT_ID=%d", entry.eventId,
                    nullptr);
}

} // namespace platform
