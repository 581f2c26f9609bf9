#include "DeferredControls.h"

#include "FormDesign.h"
#include "SelectorItems.h"

#include <algorithm>

namespace core {

namespace {

namespace d = design::form1;

constexpr std::array kSelectors{Selector::Period,   Selector::Hour,   Selector::Minute,
                                Selector::Weekdays, Selector::Action, Selector::ElapsedMinutes};

std::size_t slot(Selector selector) {
    return static_cast<std::size_t>(selector);
}

} // namespace

DeferredControls::DeferredControls(MainWindowControls& face, std::function<void()> thresholdChanged,
                                   std::function<void()> durationChanged,
                                   std::function<void()> jobChanged)
    : face_(face), thresholdChanged_(std::move(thresholdChanged)),
      durationChanged_(std::move(durationChanged)), jobChanged_(std::move(jobChanged)),
      hours_(d::SpinEdit1.value), threshold_(d::SpinEdit2.value),
      duration_(d::SpinEdit3.value), job_{false, "", false, d::SpinEdit4.value,
                                          d::SpinEdit5.value} {
    indexes_.fill(-1);
}

void DeferredControls::widgetsBuilt() {
    if (built_)
        return;
    built_ = true;
    face_.setCalendarDate(day_);
    face_.setBookingKind(kind_);
    face_.showTab(tab_);
    for (Selector selector : kSelectors)
        face_.selectIndex(selector, indexes_[slot(selector)]);
    face_.selectRow(row_);
    face_.setThresholdPercent(threshold_);
    face_.setDurationMinutes(duration_);
    face_.setJobFields(job_);
    face_.showWeekdays(weekdaysShown_);
    face_.showClock(clock_);
    face_.showUsage(usage_);
    face_.showRemainingTime(remaining_);
    if (locks_)
        face_.applyLocks(*locks_);
    face_.showTable();
}

int DeferredControls::selectedRow() const {
    return built_ ? face_.selectedRow() : row_;
}

int DeferredControls::tabIndex() const {
    return built_ ? face_.tabIndex() : tab_;
}

void DeferredControls::showTab(int index) {
    keepOrSet(&MainWindowControls::showTab, tab_, index);
}

BookingKind DeferredControls::bookingKind() const {
    return built_ ? face_.bookingKind() : kind_;
}

void DeferredControls::setBookingKind(BookingKind kind) {
    keepOrSet(&MainWindowControls::setBookingKind, kind_, kind);
}

LocalDays DeferredControls::calendarDate() const {
    return built_ ? face_.calendarDate() : day_;
}

void DeferredControls::setCalendarDate(LocalDays day) {
    keepOrSet(&MainWindowControls::setCalendarDate, day_, day);
}

int DeferredControls::elapsedHours() const {
    return built_ ? face_.elapsedHours() : hours_;
}

void DeferredControls::showWeekdays(bool shown) {
    keepOrSet(&MainWindowControls::showWeekdays, weekdaysShown_, shown);
}

void DeferredControls::showClock(const std::string& text) {
    keepOrSet(&MainWindowControls::showClock, clock_, text);
}

void DeferredControls::showUsage(const std::string& text) {
    keepOrSet(&MainWindowControls::showUsage, usage_, text);
}

void DeferredControls::showRemainingTime(std::optional<RemainingTime> remaining) {
    keepOrSet(&MainWindowControls::showRemainingTime, remaining_, remaining);
}

int DeferredControls::thresholdPercent() const {
    return built_ ? face_.thresholdPercent() : threshold_;
}

int DeferredControls::durationMinutes() const {
    return built_ ? face_.durationMinutes() : duration_;
}

void DeferredControls::setThresholdPercent(int percent) {
    if (built_)
        face_.setThresholdPercent(percent);
    else
        setSpin(threshold_, d::SpinEdit2.range.clamped(percent), thresholdChanged_);
}

void DeferredControls::setDurationMinutes(int minutes) {
    if (built_)
        face_.setDurationMinutes(minutes);
    else
        setSpin(duration_, d::SpinEdit3.range.clamped(minutes), durationChanged_);
}

void DeferredControls::setSpin(int& field, int value, const std::function<void()>& changed) {
    if (field == value)
        return;
    field = value;
    changed();
}

JobFields DeferredControls::jobFields() const {
    return built_ ? face_.jobFields() : job_;
}

void DeferredControls::setJobFields(const JobFields& fields) {
    if (built_) {
        face_.setJobFields(fields);
        return;
    }
    JobFields kept = fields;
    kept.program = job_.program;
    kept.networkRate = d::SpinEdit4.range.clamped(fields.networkRate);
    kept.networkMinutes = d::SpinEdit5.range.clamped(fields.networkMinutes);
    if (kept == job_)
        return;
    job_ = kept;
    jobChanged_();
}

void DeferredControls::offerPrograms(const std::vector<std::string>& names) {
    if (built_)
        face_.offerPrograms(names);
}

int DeferredControls::itemIndex(Selector selector) const {
    return built_ ? face_.itemIndex(selector) : indexes_[slot(selector)];
}

void DeferredControls::selectIndex(Selector selector, int index) {
    if (built_)
        face_.selectIndex(selector, index);
    else
        indexes_[slot(selector)] = index;
}

void DeferredControls::selectRow(int row) {
    keepOrSet(&MainWindowControls::selectRow, row_, row);
}

void DeferredControls::applyLocks(const ControlLocks& locks) {
    if (built_) {
        face_.applyLocks(locks);
        return;
    }
    // An appearance that leaves the book button as it is keeps the one before.
    std::optional<bool> button = locks.bookButton;
    if (!button && locks_)
        button = locks_->bookButton;
    locks_ =
        ControlLocks{locks.watchFields, locks.grid, button, locks.gridReason, locks.bookingFields};
}

void DeferredControls::showTable() {
    // Unbuilt, the grid draws the table as it is when it is built.
    if (built_)
        face_.showTable();
}

} // namespace core
