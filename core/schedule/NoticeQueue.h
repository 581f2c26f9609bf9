#pragma once

#include "BookingNotices.h"

#include <chrono>
#include <deque>
#include <optional>

namespace core {

// How long a notice keeps a place that shows one at a time before the next may replace it.
inline constexpr std::chrono::seconds kNoticeShownFor{6};

// Notices for a place that shows one at a time, as a tray icon's balloon: each waits until the one
// before has been shown for kNoticeShownFor; one whose booking has come meanwhile is dropped.
class NoticeQueue {
public:
    void push(Notice notice) { waiting_.push_back(std::move(notice)); }
    // The notice to show now, if one waits and the place is free.
    std::optional<Notice> take(LocalTime now);
    // When the place is free for the next waiting notice; nothing when none waits.
    std::optional<LocalTime> nextAt() const;

private:
    std::deque<Notice> waiting_;
    std::optional<LocalTime> shownAt_;
};

} // namespace core
