#pragma once

#include "core/forms/SelectorItems.h"
#include "core/session/MainWindowModel.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The main window's controls as plain values, with the selectors' real item lists.
struct FakeWindowControls : core::MainWindowControls {
    FakeWindowControls() {
        for (auto selector :
             {core::Selector::Period, core::Selector::Hour, core::Selector::Minute,
              core::Selector::Weekdays, core::Selector::Action, core::Selector::ElapsedMinutes})
            items[selector] = core::selectorItems(selector);
        selected[core::Selector::Action] = "終了";
        selected[core::Selector::Weekdays] = "日曜";
        selected[core::Selector::ElapsedMinutes] = "30";
    }
    int selectedRow() const override { return row; }
    int tabIndex() const override { return tab; }
    void showTab(int index) override { tab = index; }
    core::BookingKind bookingKind() const override { return kind; }
    void setBookingKind(core::BookingKind k) override { kind = k; }
    core::LocalDays calendarDate() const override { return calendar; }
    void setCalendarDate(core::LocalDays day) override { calendar = day; }
    int elapsedHours() const override { return hours; }

    int row = 1;
    int tab = core::kTimeTab;
    core::BookingKind kind = core::BookingKind::Once;
    core::LocalDays calendar = core::LocalDays{std::chrono::year{2026} / 12 / 7};
    int hours = 0;
    std::map<core::Selector, std::vector<std::string>> items;
    std::map<core::Selector, std::string> selected;
    void showWeekdays(bool shown) override { weekdaysShown = shown; }
    void showClock(const std::string& text) override { clockText = text; }
    void showUsage(const std::string& text) override { usageText = text; }
    void showRemainingTime(std::optional<core::RemainingTime> r) override { remaining = r; }
    int thresholdPercent() const override { return threshold; }
    int durationMinutes() const override { return duration; }
    // Like the spin fields: clamped to their ranges, and a change is reported.
    void setThresholdPercent(int percent) override {
        setSpin(threshold, std::clamp(percent, 1, 100), onThresholdChanged);
    }
    void setDurationMinutes(int minutes) override {
        setSpin(duration, std::clamp(minutes, 1, 1000), onDurationChanged);
    }
    core::JobFields jobFields() const override { return job; }
    void setJobFields(const core::JobFields& fields) override {
        const core::JobFields before = job;
        job = fields;
        job.program = before.program;
        job.networkRate = std::clamp(fields.networkRate, 1, 100000);
        job.networkMinutes = std::clamp(fields.networkMinutes, 1, 1000);
        if (job != before && onJobChanged)
            onJobChanged();
    }
    void offerPrograms(const std::vector<std::string>& names) override { offered = names; }
    int itemIndex(core::Selector s) const override {
        auto it = selected.find(s);
        if (it == selected.end())
            return -1;
        const auto& list = items.at(s);
        return static_cast<int>(std::find(list.begin(), list.end(), it->second) - list.begin());
    }
    void selectIndex(core::Selector s, int index) override {
        if (index < 0)
            selected.erase(s);
        else
            selected[s] = items[s].at(static_cast<std::size_t>(index));
    }
    void selectRow(int r) override { row = r; }
    void addTrayIcon() override { trayIcon = true; }
    void applyLocks(const core::ControlLocks& l) override {
        ++lockChanges;
        // Locked, unlocked, or nothing: as a cancel leaves it.
        locked = l.bookButton ? std::optional<bool>(!*l.bookButton) : std::nullopt;
    }
    void showCountdown() override { ++countdowns; }
    // The dialog's キャンセル, which tells the model.
    void cancelCountdown(core::CancelledBy by) override {
        if (onCancelCountdown)
            onCancelCountdown(by);
    }
    void showTable() override { ++tableShows; }
    void showNotice(const core::Notice& notice) override { notices.push_back(notice); }
    void showTrayTip(const std::string& tip) override { trayTips.push_back(tip); }
    void confirm(const std::string& text) override { confirmed.push_back(text); }
    void showPolicyLine(const std::string& text) override { policyLine = text; }
    void showPolicyBookings(const std::vector<core::PolicyBookingLine>& lines,
                            const std::string& limits) override {
        policyLines = lines;
        policyLimits = limits;
    }

    void setSpin(int& field, int value, const std::function<void()>& changed) {
        if (field == value)
            return;
        field = value;
        if (changed)
            changed();
    }

    bool weekdaysShown = true;
    std::vector<core::Notice> notices;
    std::vector<std::string> trayTips;
    std::vector<std::string> confirmed;
    std::function<void(core::CancelledBy)> onCancelCountdown;
    std::string clockText;
    std::string usageText;
    std::optional<core::RemainingTime> remaining;
    int threshold = 5;
    int duration = 3;
    core::JobFields job;
    std::vector<std::string> offered;
    std::function<void()> onThresholdChanged;
    std::function<void()> onDurationChanged;
    std::function<void()> onJobChanged;
    bool trayIcon = false;
    std::optional<bool> locked; // nothing: the appearance after a cancelled countdown
    int lockChanges = 0;
    int countdowns = 0;
    std::string policyLine;
    std::vector<core::PolicyBookingLine> policyLines;
    std::string policyLimits;
    int tableShows = 0;
};

} // namespace testing_support
