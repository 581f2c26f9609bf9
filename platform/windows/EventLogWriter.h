#pragma once

#include "core/base/SystemLog.h"

namespace platform {

// The Windows Event Log, source "Brindlewhistmoore" (registered by the machine's package; an
// unregistered source's events show with the words but without their message file). The source
// is opened at the first event.
class EventLogWriter : public core::SystemLog {
public:
    EventLogWriter() = default;
    ~EventLogWriter() override;
    EventLogWriter(const EventLogWriter&) = delete;
    EventLogWriter& operator=(const EventLogWriter&) = delete;

    void write(const core::LogEntry& entry) noexcept override;

private:
    void* source_ = nullptr;
};

} // namespace platform
