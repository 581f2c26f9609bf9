#pragma once

#include "core/base/SystemLog.h"

#include <vector>

namespace testing_support {

// Keeps every entry the system's log is given.
struct RecordingLog : core::SystemLog {
    void write(const core::LogEntry& entry) noexcept override { entries.push_back(entry); }
    std::vector<core::LogEntry> entries;
};

} // namespace testing_support
