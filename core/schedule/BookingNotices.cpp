#include "BookingNotices.h"

#include "RowMoments.h"
#include "core/text/DateTimeText.h"

#include <algorithm>
#include <map>

namespace core {

using namespace std::chrono;

namespace {

std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char byte) { return (byte & 0xC0) != 0x80; }));
}

std::string missedLine(const MissedMoment& missed) {
    const ActionDescription* description = describe(missed.action);
    std::string line =
        formatShortDate(floor<days>(missed.moment)) + " " + formatHourMinute(missed.moment);
    if (description)
        line.append(" ").append(tr(description->name));
    return line;
}

} // namespace

Notice advanceNotice(const std::vector<PowerAction>& actions, LocalTime moment) {
    Notice notice{"", "", moment};
    std::vector<PowerAction> told;
    for (const PowerAction action : actions) {
        const ActionDescription* description = describe(action);
        if (!description || std::ranges::find(told, action) != told.end())
            continue;
        told.push_back(action);
        const std::string title = countdownTitle(*description);
        notice.summary.append(notice.summary.empty() ? "" : tr("・")).append(title);
        notice.body.append(notice.body.empty() ? "" : "\n")
            .append(fill(tr("{0} に{1}。"), {formatHourMinute(moment), tr(description->phrase)}));
    }
    return notice;
}

Notice missedNotice(std::string_view summary, std::vector<MissedMoment> moments) {
    std::stable_sort(moments.begin(), moments.end(),
                     [](const auto& a, const auto& b) { return a.moment < b.moment; });
    std::vector<std::string> lines;
    lines.reserve(moments.size());
    for (const auto& missed : moments)
        lines.push_back(missedLine(missed));
    std::string body;
    for (std::size_t shown = lines.size();; --shown) {
        body.clear();
        for (std::size_t i = 0; i < shown; ++i)
            body.append(i == 0 ? "" : "\n").append(lines[i]);
        if (shown < lines.size())
            body.append("\n").append(
                countText("他{0}件", "他{0}件", static_cast<long long>(lines.size() - shown)));
        if (shown == 0 || characters(body) <= kNoticeBodyLimit)
            break;
    }
    return {tr(summary), body, std::nullopt};
}

void AdvanceNotices::observe(const ReservationTable& table, LocalTime now) {
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        RowSeen& seen = rows_[static_cast<std::size_t>(row)];
        for (int column = DateCell; column <= StateCell; ++column) {
            const std::string& cell = table.cell(column, row);
            std::string& seenCell = seen.cells[static_cast<std::size_t>(column)];
            if (cell == seenCell)
                continue;
            seenCell = cell;
            if (observed_)
                seen.changedAt = now;
        }
    }
    observed_ = true;
}

std::vector<Notice> AdvanceNotices::due(const ReservationTable& table, int minutesAhead,
                                        LocalTime now) {
    observe(table, now);
    // A system shows one notice at a time, or one over the other: the bookings of one moment go
    // in one.
    std::map<LocalTime, std::vector<PowerAction>> byMoment;
    const minutes ahead{minutesAhead};
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        RowSeen& seen = rows_[static_cast<std::size_t>(row)];
        const std::vector<LocalTime> moments = rowMoments(table, row, now, now + ahead);
        if (moments.empty() || seen.settled == moments.front())
            continue;
        const LocalTime moment = moments.front();
        seen.settled = moment;
        if (seen.changedAt && *seen.changedAt >= moment - ahead)
            continue;
        if (auto action = actionFromWord(table.cell(ActionCell, row)))
            byMoment[moment].push_back(*action);
    }
    std::vector<Notice> notices;
    notices.reserve(byMoment.size());
    for (const auto& [moment, actions] : byMoment)
        notices.push_back(advanceNotice(actions, moment));
    return notices;
}

} // namespace core
