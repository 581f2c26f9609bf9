#pragma once

#include "FormDesign.h"
#include "core/base/LocalTime.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The main window's selectors, by what they hold (ComboBox1 to ComboBox6).
enum class Selector { Period, Hour, Minute, Weekdays, Action, ElapsedMinutes };
inline constexpr std::array kSelectors{Selector::Period, Selector::Hour,
                                       Selector::Minute, Selector::Weekdays,
                                       Selector::Action, Selector::ElapsedMinutes};
// The booking kind's radio buttons: "一回", "毎日", "毎週" (RadioButton1 to RadioButton3).
enum class BookingKind { Once, Daily, Weekly };

inline constexpr int kTimeTab = 0;
inline constexpr int kElapsedTab = 1;
inline constexpr int kCpuTab = 2;
inline constexpr int kJobTab = 3;

// The "終了待ち" sheet's fields.
struct JobFields {
    bool programTicked = false;
    std::string program;
    bool networkTicked = false;
    int networkRate = design::form1::SpinEdit4.value; // KB a second
    int networkMinutes = design::form1::SpinEdit5.value;
    bool noInputTicked = false;
    int noInputMinutes = design::form1::SpinEdit6.value;
    // Why the session cannot tell how long nobody touched it: the condition is shown disabled
    // with this as its hint. Empty where it can.
    std::string noInputUnavailable;
    friend bool operator==(const JobFields&, const JobFields&) = default;
};

// What the main window's fields hold. The session keeps it and the window draws it, when its
// widgets are built and after each change the session makes; the window reports a user's change
// as the whole value anew. Nothing in it needs a widget, so a hidden window builds none.
struct MainWindowValues {
    // The selected reservation row, 1 to 30, or 0 when none is selected.
    int row = 0;
    int tab = kTimeTab;
    BookingKind kind = BookingKind::Once;
    LocalDays day{};
    // Each selector's item index, -1 for none, in the order of `Selector`.
    std::array<int, 6> indexes{-1, -1, -1, -1, -1, -1};
    // The hours field as it stands, which may lie outside its range while it is being typed in.
    int elapsedHours = design::form1::SpinEdit1.value;
    int thresholdPercent = design::form1::SpinEdit2.value;
    int durationMinutes = design::form1::SpinEdit3.value;
    JobFields job;
    // Why the session cannot carry out the action selector's item, by its index; empty where it
    // can. The item is shown disabled with this as its hint.
    std::vector<std::string> actionsUnavailable;

    int index(Selector selector) const { return indexes[slot(selector)]; }
    void select(Selector selector, int index) { indexes[slot(selector)] = index; }
    // The stored word of the selected item, or the empty text when no item is selected: the
    // selectors show the words translated, the table keeps them as they are.
    std::string selectedItem(Selector selector) const;
    // Selects the item whose stored word is the text; with none, the selection stays.
    void selectEqualItem(Selector selector, std::string_view text);
    // The weekday selector is shown only with "毎週".
    bool weekdaysShown() const { return kind == BookingKind::Weekly; }
    friend bool operator==(const MainWindowValues&, const MainWindowValues&) = default;

private:
    static std::size_t slot(Selector selector) { return static_cast<std::size_t>(selector); }
};

} // namespace core
