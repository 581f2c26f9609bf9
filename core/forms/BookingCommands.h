#pragma once

#include "core/base/Clock.h"
#include "core/base/LocalTime.h"
#include "core/base/Prompter.h"
#include "core/book/TableEditor.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The main window's selectors, by what they hold (ComboBox1 to ComboBox6).
enum class Selector { Period, Hour, Minute, Weekdays, Action, ElapsedMinutes };
// The booking kind's radio buttons: "一回", "毎日", "毎週" (RadioButton1 to RadioButton3).
enum class BookingKind { Once, Daily, Weekly };

inline constexpr int kTimeTab = 0;
inline constexpr int kElapsedTab = 1;

// The controls of the main window that the booking commands read and set; each face implements
// it over its own widgets.
class BookingControls {
public:
    virtual ~BookingControls() = default;
    // The selected reservation row, 1 to 30, or 0 when none is selected.
    virtual int selectedRow() const = 0;
    virtual int tabIndex() const = 0;
    // Selects the tab and shows its sheet only.
    virtual void showTab(int index) = 0;
    virtual BookingKind bookingKind() const = 0;
    virtual void setBookingKind(BookingKind kind) = 0;
    virtual LocalDays calendarDate() const = 0;
    virtual void setCalendarDate(LocalDays day) = 0;
    // A selector's item index, -1 for none.
    virtual int itemIndex(Selector selector) const = 0;
    virtual void selectIndex(Selector selector, int index) = 0;
    // The stored word of the selected item, or the empty text when no item is selected: the
    // selectors show the words translated, the table keeps them as they are.
    std::string selectedItem(Selector selector) const;
    // Selects the item whose stored word is the text; with none, the selection stays.
    void selectEqualItem(Selector selector, std::string_view text);
    // The hours field as it stands, which may lie outside its range while it is being typed in.
    virtual int elapsedHours() const = 0;
    // Said to a screen reader: a booking made.
    virtual void confirm(const std::string& text) = 0;
};

// What "予約する", the re-edit by double click and the row menu decide. Each command shows its
// own errors through the prompter and goes on.
class BookingCommands {
public:
    BookingCommands(TableEditor& editor, const Clock& clock, Prompter& prompter,
                    BookingControls& controls);

    void Button2Click();
    // The selected row booked from now as the elapsed tab's controls say, and made active.
    void FillElapsedReservation();
    void StringGrid1DblClick();
    void N6Click();
    void N7Click();
    void Delete1Click();
    void SaveReservations();

private:
    // Why the booking tab's controls cannot book, or nothing when they can.
    std::optional<std::string> bookingRefusal(int tab) const;
    // The row's time and action as the time tab's controls set them; its state becomes `state`,
    // or stays as it is.
    void bookClockTime(int row, std::optional<std::string_view> state);
    void setRowState(std::string_view state);

    TableEditor& editor_;
    const ReservationTable& table_;
    const Clock& clock_;
    Prompter& prompter_;
    BookingControls& controls_;
};

} // namespace core
