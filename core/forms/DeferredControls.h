#pragma once

#include "MainWindowControls.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace core {

// The main window's controls as the model meets them when the face builds its widgets only at
// the window's first showing: until then the controls' values are kept here, as the widgets
// would keep them, and the widgets take them when they are built. The tray icon, the countdown
// and the notices are the face's from the start.
class DeferredControls final : public MainWindowControls {
public:
    // `face` is the window. A spin field's change is reported as the field reports it (clamped to
    // its range, only when its value changes); so are those of the 終了待ち sheet.
    DeferredControls(MainWindowControls& face, std::function<void()> thresholdChanged,
                     std::function<void()> durationChanged, std::function<void()> jobChanged);

    // The face's widgets exist now: they take the kept values, and from now on hold them.
    void widgetsBuilt();
    bool built() const { return built_; }

    int selectedRow() const override;
    int tabIndex() const override;
    void showTab(int index) override;
    BookingKind bookingKind() const override;
    void setBookingKind(BookingKind kind) override;
    LocalDays calendarDate() const override;
    void setCalendarDate(LocalDays day) override;
    int elapsedHours() const override;
    void showWeekdays(bool shown) override;
    void showClock(const std::string& text) override;
    void showUsage(const std::string& text) override;
    void showRemainingTime(std::optional<RemainingTime> remaining) override;
    int thresholdPercent() const override;
    int durationMinutes() const override;
    void setThresholdPercent(int percent) override;
    void setDurationMinutes(int minutes) override;
    JobFields jobFields() const override;
    void setJobFields(const JobFields& fields) override;
    // The list is filled when it opens, which needs the widget.
    void offerPrograms(const std::vector<std::string>& names) override;
    int itemIndex(Selector selector) const override;
    void selectIndex(Selector selector, int index) override;
    void selectRow(int row) override;
    void applyLocks(const ControlLocks& locks) override;
    void showTable() override;
    void addTrayIcon() override { face_.addTrayIcon(); }
    void showCountdown() override { face_.showCountdown(); }
    void cancelCountdown(CancelledBy by) override { face_.cancelCountdown(by); }
    void showNotice(const Notice& notice) override { face_.showNotice(notice); }
    void showTrayTip(const std::string& tip) override { face_.showTrayTip(tip); }
    void confirm(const std::string& text) override { face_.confirm(text); }
    // The tray's item is there from the start; the face keeps the line for its widgets.
    void showPolicyLine(const std::string& text) override { face_.showPolicyLine(text); }
    void showPolicyBookings(const std::vector<PolicyBookingLine>& lines,
                            const std::string& limits) override {
        face_.showPolicyBookings(lines, limits);
    }

private:
    // To the widgets once they exist; until then into `kept`.
    template <typename Set, typename Value>
    void keepOrSet(Set set, Value& kept, const Value& value) {
        if (built_)
            (face_.*set)(value);
        else
            kept = value;
    }
    static void setSpin(int& field, int value, const std::function<void()>& changed);

    MainWindowControls& face_;
    std::function<void()> thresholdChanged_;
    std::function<void()> durationChanged_;
    std::function<void()> jobChanged_;
    bool built_ = false;

    int row_ = 0;
    int tab_ = kTimeTab;
    BookingKind kind_ = BookingKind::Once;
    LocalDays day_{};
    std::array<int, 6> indexes_;
    int hours_;
    int threshold_;
    int duration_;
    JobFields job_;
    bool weekdaysShown_ = true;
    std::string clock_;
    std::string usage_;
    std::optional<RemainingTime> remaining_;
    std::optional<ControlLocks> locks_;
};

} // namespace core
