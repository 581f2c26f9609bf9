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

// The main window's widgets as plain fields, with the selectors' real item lists: the model's
// values drawn into them, and a user's change of them reported as the face reports it.
struct FakeWindowControls : core::MainWindowControls {
    FakeWindowControls() {
        for (auto selector : core::kSelectors)
            items[selector] = core::selectorItems(selector);
        selected[core::Selector::Action] = "終了";
        selected[core::Selector::Weekdays] = "日曜";
        selected[core::Selector::ElapsedMinutes] = "30";
    }
    void showValues(const core::MainWindowValues& values) override {
        ++valueShows;
        row = values.row;
        tab = values.tab;
        kind = values.kind;
        calendar = values.day;
        hours = values.elapsedHours;
        for (auto& [selector, list] : items) {
            const int index = values.index(selector);
            if (index < 0)
                selected.erase(selector);
            else
                selected[selector] = list.at(static_cast<std::size_t>(index));
        }
        threshold = values.thresholdPercent;
        duration = values.durationMinutes;
        job = values.job;
        actionsUnavailable = values.actionsUnavailable;
        weekdaysShown = values.weekdaysShown();
    }
    // What the fields hold, as the face reports it.
    core::MainWindowValues read() const {
        core::MainWindowValues values{row,   tab,       kind,     calendar, {},
                                      hours, threshold, duration, job,      actionsUnavailable};
        for (const auto& [selector, list] : items)
            values.select(selector, itemIndex(selector));
        return values;
    }
    // The user changed the fields as they now stand.
    void report() const {
        if (onUserChange)
            onUserChange(read());
    }
    int itemIndex(core::Selector s) const {
        auto it = selected.find(s);
        if (it == selected.end())
            return -1;
        const auto& list = items.at(s);
        return static_cast<int>(std::find(list.begin(), list.end(), it->second) - list.begin());
    }
    std::string selectedItem(core::Selector s) const { return read().selectedItem(s); }
    // A user's pick or entry, reported; the numbers clamped as their fields clamp them.
    void selectIndex(core::Selector s, int index) {
        if (index < 0)
            selected.erase(s);
        else
            selected[s] = items[s].at(static_cast<std::size_t>(index));
        report();
    }
    void setThresholdPercent(int percent) {
        threshold = std::clamp(percent, 1, 100);
        report();
    }
    void setDurationMinutes(int minutes) {
        duration = std::clamp(minutes, 1, 1000);
        report();
    }
    void showClock(const std::string& text) override { clockText = text; }
    void showUsage(const std::string& text) override { usageText = text; }
    void showRemainingTime(std::optional<core::RemainingTime> r) override { remaining = r; }
    void offerPrograms(const std::vector<std::string>& names) override { offered = names; }

    int row = 1;
    int tab = core::kTimeTab;
    core::BookingKind kind = core::BookingKind::Once;
    core::LocalDays calendar = core::LocalDays{std::chrono::year{2026} / 12 / 7};
    int hours = 0;
    std::map<core::Selector, std::vector<std::string>> items;
    std::map<core::Selector, std::string> selected;
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
    std::vector<std::string> actionsUnavailable;
    std::vector<std::string> offered;
    std::function<void(const core::MainWindowValues&)> onUserChange;
    int valueShows = 0;
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
