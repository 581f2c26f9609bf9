#include "EventLogWriter.h"

#include "WideText.h"
#include "Win32.h"

namespace platform {

EventLogWriter::~EventLogWriter() {
    if (source_ != nullptr)
        DeregisterEventSource(source_);
}

void EventLogWriter::write(const core::LogEntry& entry) noexcept {
    try {
        if (source_ == nullptr)
            source_ = RegisterEventSourceW(nullptr, L"Brindlewhistmoore");
        if (source_ == nullptr)
            return;
        const std::wstring text = toWide(entry.event + ": " + entry.details);
        const wchar_t* strings[] = {text.c_str()};
        ReportEventW(source_,
                     entry.priority <= 4 ? EVENTLOG_WARNING_TYPE : EVENTLOG_INFORMATION_TYPE, 0,
                     static_cast<DWORD>(entry.eventId), nullptr, 1, 0, strings, nullptr);
    } catch (...) {
        // A log that cannot be written costs nothing else.
    }
}

} // namespace platform
