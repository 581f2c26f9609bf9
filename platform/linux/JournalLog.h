#pragma once

#include "core/base/SystemLog.h"

namespace platform {

// The journal, through libsystemd: each event with MESSAGE, PRIORITY, its kind's MESSAGE_ID and
// the program's own fields (BWM_EVENT, BWM_DETAILS, BWM_EVENT_ID). Without a journald the entry is
// dropped.
class JournalLog : public core::SystemLog {
public:
    void write(const core::LogEntry& entry) noexcept override;
};

} // namespace platform
