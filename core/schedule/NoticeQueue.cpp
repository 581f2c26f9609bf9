#include "NoticeQueue.h"

namespace core {

std::optional<Notice> NoticeQueue::take(LocalTime now) {
    while (!waiting_.empty() && waiting_.front().dueBy && *waiting_.front().dueBy <= now)
        waiting_.pop_front();
    // A clock set back frees the place rather than holding it for as long.
    const bool free = !shownAt_ || now >= *shownAt_ + kNoticeShownFor || now < *shownAt_;
    if (waiting_.empty() || !free)
        return std::nullopt;
    Notice next = std::move(waiting_.front());
    waiting_.pop_front();
    shownAt_ = now;
    return next;
}

std::optional<LocalTime> NoticeQueue::nextAt() const {
    if (waiting_.empty())
        return std::nullopt;
    return shownAt_ ? *shownAt_ + kNoticeShownFor : LocalTime{};
}

} // namespace core
