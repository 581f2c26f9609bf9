#pragma once

#include "MainWindowValues.h"
#include "core/base/Clock.h"
#include "core/base/LocalTime.h"
#include "core/base/Prompter.h"
#include "core/book/TableEditor.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// What the booking commands need of the main window beyond its values.
class BookingControls {
public:
    virtual ~BookingControls() = default;
    // The window draws the values anew after a command changed them.
    virtual void showValues(const MainWindowValues& values) = 0;
    // Said to a screen reader: a booking made.
    virtual void confirm(const std::string& text) = 0;
};

// What "予約する", the re-edit by double click and the row menu decide. Each command shows its
// own errors through the prompter and goes on.
class BookingCommands {
public:
    // The commands read the window's values and change them.
    BookingCommands(TableEditor& editor, const Clock& clock, Prompter& prompter,
                    MainWindowValues& values, BookingControls& controls);

    void Button2Click();
    // The selected row booked from now as the elapsed tab's fields say, and made active.
    void FillElapsedReservation();
    void StringGrid1DblClick();
    void N6Click();
    void N7Click();
    void Delete1Click();
    void SaveReservations();

private:
    // Why the booking tab's fields cannot book, or nothing when they can.
    std::optional<std::string> bookingRefusal(int tab) const;
    // The row's time and action as the time tab's fields set them; its state becomes `state`,
    // or stays as it is.
    void bookClockTime(int row, std::optional<std::string_view> state);
    void setRowState(std::string_view state);

    TableEditor& editor_;
    const ReservationTable& table_;
    const Clock& clock_;
    Prompter& prompter_;
    MainWindowValues& values_;
    BookingControls& controls_;
};

} // namespace core
