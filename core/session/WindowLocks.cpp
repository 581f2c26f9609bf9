#include "WindowLocks.h"

#include "core/lang/Catalogue.h"
#include "core/policy/PolicyWords.h"

namespace core {

void WindowLocks::lock(bool locked) {
    // A policy that keeps the table from the user locks it as a watch does; the watches stay.
    const bool booking = !locked && bookingsAllowed();
    apply({!locked, booking, booking, gridReason(locked), bookingsAllowed()});
}

void WindowLocks::countdownLeft() {
    apply({true, bookingsAllowed(), std::nullopt, gridReason(false), bookingsAllowed()});
}

std::string WindowLocks::gridReason(bool watching) const {
    if (watching)
        return tr("監視中は予約を変えられません。監視を停止してください。");
    return bookingsAllowed() ? "" : tr(kUserBookingsForbidden);
}

void WindowLocks::apply(const ControlLocks& locks) {
    if (shown_ == locks)
        return;
    shown_ = locks;
    if (locks.bookButton)
        bookButton_ = locks.bookButton;
    controls_.applyLocks(locks);
}

void WindowLocks::showAgain() {
    if (!shown_)
        return;
    ControlLocks locks = *shown_;
    locks.bookButton = bookButton_;
    controls_.applyLocks(locks);
}

} // namespace core
