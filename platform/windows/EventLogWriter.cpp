#include "EventLogWriter.h"

#include "WideText.h"
#include "Win32.h"

#include <vector>

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
        // The message shows the first; a booking's row, action and moment follow as the
        // event's data of their own, which a query can filter on.
        std::vector<std::wstring> texts{toWide(entry.event + ": " + entry.details)};
        if (const auto& booking = entry.booking)
            for (const std::string* field : {&booking->row, &booking->action, &booking->moment})
                texts.push_back(toWide(*field));
        std::vector<const wchar_t*> strings;
        strings.reserve(texts.size());
        for (const std::wstring& text : texts)
            strings.push_back(text.c_str());
        ReportEventW(source_,
                     entry.priority <= 4 ? EVENTLOG_WARNING_TYPE : EVENTLOG_INFORMATION_TYPE, 0,
                     static_cast<DWORD>(entry.eventId), nullptr, static_cast<WORD>(strings.size()),
                     0, strings.data(), nullptr);
    } catch (...) {
        // A log that cannot be written costs nothing else.
    }
}

} // namespace platform
