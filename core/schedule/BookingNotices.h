#pragma once

#include "core/base/LocalTime.h"
#include "core/book/ReservationTable.h"
#include "core/lang/Catalogue.h"
#include "core/power/PowerAction.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A desktop notification: its summary line and its body, and the moment after which it is no
// longer worth showing (the booking it tells of has come), if any.
struct Notice {
    std::string summary;
    std::string body;
    std::optional<LocalTime> dueBy;
    friend bool operator==(const Notice&, const Notice&) = default;
};

// The most characters of a body that every system shows (a Windows balloon's text holds 255).
inline constexpr std::size_t kNoticeBodyLimit = 255;

inline constexpr std::string_view kMissedWhileAsleep = msg("スリープ中に予約の時刻が過ぎました");
inline constexpr std::string_view kMissedBeforeStart = msg("起動前に予約の時刻が過ぎました");

struct MissedMoment {
    LocalTime moment;
    PowerAction action;
};

// "電源断予告" over "12:00 に電源断します。"; for several actions of one moment, their titles
// joined by "・" over one line each.
Notice advanceNotice(const std::vector<PowerAction>& actions, LocalTime moment);
// The summary over one line per moment, earliest first ("2026/12/07 12:00 電源断"), cut to the
// body limit with "他N件" for the lines left out.
Notice missedNotice(std::string_view summary, std::vector<MissedMoment> moments);

// Decides the notice that many minutes before each reservation's next moment: once for each
// moment, and none for a row booked, changed or re-activated after its notice moment had come.
// Rows as loaded at the start count as known from before, so a start inside the notice window
// gives the notice at once.
class AdvanceNotices {
public:
    // Notes the rows that changed since the last look, as changed now; after every command that
    // may change the table.
    void observe(const ReservationTable& table, LocalTime now);
    // The notices due now, one for each moment, earliest first; from a tick that scanned the
    // table.
    std::vector<Notice> due(const ReservationTable& table, int minutesAhead, LocalTime now);

private:
    struct RowSeen {
        std::array<std::string, kColumnCount> cells;
        std::optional<LocalTime> changedAt;
        // The moment whose notice was given or passed over.
        std::optional<LocalTime> settled;
    };
    std::array<RowSeen, kRowCount> rows_{};
    bool observed_ = false;
};

} // namespace core
