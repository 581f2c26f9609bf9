#include "PolicyInForce.h"

#include "core/book/Booking.h"
#include "core/book/Vocabulary.h"
#include "core/files/History.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyWords.h"
#include "core/schedule/RowMoments.h"
#include "core/text/DateTimeText.h"
#include "core/text/Separated.h"

namespace core {

namespace {

void copyRow(const ReservationTable& from, int fromRow, ReservationTable& to, int toRow) {
    for (int column = DateCell; column <= StateCell; ++column)
        to.setCell(column, toRow, from.cell(column, fromRow));
}

std::string placeOf(const std::string& place) {
    return " (" + (place.empty() ? tr("既定") : place) + ")";
}

std::string line(std::string_view key, const std::string& value, const std::string& place) {
    return std::string(key) + "=" + value + placeOf(place) + "\n";
}

} // namespace

PolicyInForce::Change PolicyInForce::apply(const std::vector<PolicyLayer>& layers, LocalTime now,
                                           const ActionCheck& unavailable) {
    Change change;
    Policy merged = mergePolicy(layers);
    if (merged.bookings != policy_.bookings) {
        PolicyBookings fresh = compilePolicyBookings(merged.bookings.value, now, unavailable);
        std::array<int, kLastReservation + 1> counts{};
        for (int row = bookings_.count + 1; row <= kLastReservation; ++row) {
            const int target = firstEmptyRow(fresh.table);
            if (bookings_.table.isEmpty(row) || target == 0)
                continue;
            copyRow(bookings_.table, row, fresh.table, target);
            counts[static_cast<std::size_t>(target)] = postponed_[static_cast<std::size_t>(row)];
            fresh.numbers[static_cast<std::size_t>(target)] =
                bookings_.numbers[static_cast<std::size_t>(row)];
        }
        change.bookingsChanged = true;
        bookings_ = std::move(fresh);
        postponed_ = counts;
    }
    policy_ = std::move(merged);
    for (std::string& entry : ignored()) {
        if (said_.insert(entry).second)
            change.newlyIgnored.push_back(std::move(entry));
    }
    return change;
}

std::vector<std::string> PolicyInForce::ignored() const {
    std::vector<std::string> all = policy_.ignored;
    for (const std::string& entry : bookings_.ignored)
        all.push_back(policy_.bookings.place + ": " + std::string(policy_key::kBookings) + ": " +
                      entry);
    return all;
}

std::string PolicyInForce::rowInHistory(int row) const {
    return core::rowInHistory(bookings_.table, row, kPolicyRowName,
                              bookings_.numbers[static_cast<std::size_t>(row)]);
}

CountdownLimits PolicyInForce::limitsFor(int row) const {
    const auto& most = policy_.maxPostpones.value;
    return {policy_.allowCancel.value, !most || postponed_[static_cast<std::size_t>(row)] < *most,
            policy_.minimumCountdown.value};
}

int PolicyInForce::postpone(int row, LocalTime moment) {
    ReservationTable& table = bookings_.table;
    for (int free = bookings_.count + 1; free <= kLastReservation; ++free) {
        if (!table.isEmpty(free))
            continue;
        writeBooking(table, free, oneTimeBooking(moment), table.cell(ActionCell, row));
        table.setCell(StateCell, free, table.cell(StateCell, row));
        postponed_[static_cast<std::size_t>(free)] = postponed_[static_cast<std::size_t>(row)] + 1;
        bookings_.numbers[static_cast<std::size_t>(free)] =
            bookings_.numbers[static_cast<std::size_t>(row)];
        return free;
    }
    return 0;
}

std::string PolicyInForce::postponementsText() const {
    const ReservationTable& table = bookings_.table;
    std::string text;
    for (int row = bookings_.count + 1; row <= kLastReservation; ++row) {
        if (table.isEmpty(row))
            continue;
        std::vector<std::string> parts;
        for (int column = DateCell; column <= StateCell; ++column)
            parts.push_back(table.cell(column, row));
        parts.push_back(std::to_string(postponed_[static_cast<std::size_t>(row)]));
        parts.push_back(std::to_string(bookings_.numbers[static_cast<std::size_t>(row)]));
        text += joinWith(parts, '\t') + "\n";
    }
    return text;
}

void PolicyInForce::restorePostponements(std::string_view text) {
    ReservationTable& table = bookings_.table;
    for (std::string_view line : splitAt(text, '\n')) {
        const std::vector<std::string_view> parts = splitAt(line, '\t');
        const int row = firstEmptyRow(table);
        // The six cells, the count and the number.
        if (parts.size() != StateCell + 2 || row <= bookings_.count || row == 0)
            continue;
        for (int column = DateCell; column <= StateCell; ++column)
            table.setCell(column, row, std::string(parts[static_cast<std::size_t>(column - 1)]));
        const auto count = parseDecimal(parts[StateCell]);
        const auto number = parseDecimal(parts[StateCell + 1]);
        if (!table.isComplete(row) ||
            reservationKind(table.cell(DateCell, row)) != ReservationKind::OneTime ||
            !actionFromWord(table.cell(ActionCell, row)) || !count || *count < 1 || !number ||
            *number < 1) {
            table.clearRow(row);
            continue;
        }
        postponed_[static_cast<std::size_t>(row)] = *count;
        bookings_.numbers[static_cast<std::size_t>(row)] = *number;
    }
}

std::vector<PolicyBookingLine> PolicyInForce::lines(LocalTime now) const {
    const ReservationTable& table = bookings_.table;
    std::vector<PolicyBookingLine> lines;
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        if (table.isEmpty(row))
            continue;
        PolicyBookingLine line{
            fill(tr(kPolicyRowName),
                 {std::to_string(bookings_.numbers[static_cast<std::size_t>(row)])}),
            shownWord(DateCell, table.cell(DateCell, row)),
            timeWords(shownWord(PeriodCell, table.cell(PeriodCell, row)),
                      shownWord(HourCell, table.cell(HourCell, row)),
                      shownWord(MinuteCell, table.cell(MinuteCell, row))),
            shownWord(ActionCell, table.cell(ActionCell, row)),
            {}};
        if (row > bookings_.count)
            line.name += tr(" (10分延期)");
        const auto moments = rowMoments(table, row, now, now + std::chrono::days(366));
        if (!moments.empty()) {
            line.next = formatShortDate(std::chrono::floor<std::chrono::days>(moments.front())) +
                        " " + formatHourMinute(moments.front());
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string PolicyInForce::limitsText() const {
    const auto& most = policy_.maxPostpones.value;
    std::string text =
        tr("キャンセル: ") + (policy_.allowCancel.value ? tr("できる") : tr("できない")) +
        tr("  10分延期: ") + (most ? countText("{0}回まで", "{0}回まで", *most) : tr("制限なし"));
    if (policy_.minimumCountdown.value > 0)
        text += fill(tr("  カウントダウン: {0}秒以上"),
                     {std::to_string(policy_.minimumCountdown.value)});
    if (!policy_.allowUserBookings.value)
        text += tr("  予約の変更: できない");
    return text;
}

std::string policyReportOf(PolicySource& source, LocalTime now) {
    PolicyInForce inForce;
    inForce.apply(source.readIfChanged().value_or(std::vector<PolicyLayer>{}), now);
    return inForce.report();
}

std::string PolicyInForce::report() const {
    using namespace policy_key;
    std::string text =
        (policy_.inForce() ? tr("管理者の設定:") : tr("管理者の設定はありません。")) + "\n";
    if (policy_.inForce()) {
        const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
        const auto& most = policy_.maxPostpones.value;
        const int least = policy_.minimumCountdown.value;
        text += line(kAllowCancel, flag(policy_.allowCancel.value), policy_.allowCancel.place);
        text += line(kMaxPostpones, most ? std::to_string(*most) : tr("制限なし"),
                     policy_.maxPostpones.place);
        text += line(kAllowUserBookings, flag(policy_.allowUserBookings.value),
                     policy_.allowUserBookings.place);
        text += line(kMinimumCountdown, least ? std::to_string(least) : tr("なし"),
                     policy_.minimumCountdown.place);
        const auto& defer = policy_.deferWhileBusy.value;
        text += line(kDeferWhileBusy, defer ? flag(*defer) : tr("利用者の設定"),
                     policy_.deferWhileBusy.place);
        text += line(kMaxDeferMinutes, std::to_string(policy_.maxDeferMinutes.value),
                     policy_.maxDeferMinutes.place);
        const std::string& command = policy_.preActionCommand.value;
        text += line(kPreActionCommand, command.empty() ? tr("なし") : command,
                     policy_.preActionCommand.place);
        text += line(kAllowUserCommand, flag(policy_.allowUserCommand.value),
                     policy_.allowUserCommand.place);
        // The bookings in force by their names; those left out are said below with theirs.
        text += std::string(kBookings) + ": " + countText("{0} 件", "{0} 件", bookings_.count) +
                placeOf(policy_.bookings.place) + "\n";
        for (int row = kFirstReservation; row <= bookings_.count; ++row) {
            const int number = bookings_.numbers[static_cast<std::size_t>(row)];
            for (const PolicyEntry& entry : policy_.bookings.value)
                if (entry.number == number)
                    text += "  " + std::to_string(number) + "=" + entry.text + "\n";
        }
    }
    const std::vector<std::string> left = ignored();
    if (!left.empty()) {
        text += tr("使わなかった設定:") + "\n";
        for (const std::string& entry : left)
            text += "  " + entry + "\n";
    }
    return text;
}

} // namespace core
