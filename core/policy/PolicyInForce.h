#pragma once

#include "Policy.h"
#include "PolicyBookings.h"
#include "PolicySource.h"
#include "core/schedule/SharedState.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace core {

// One line of the window that lists the administrator's bookings.
struct PolicyBookingLine {
    std::string name;   // "管理者の予約1"; a postponement "管理者の予約3 (10分延期)"
    std::string when;   // the date cell: "毎日", "毎週月～金", "2026/12/24"
    std::string time;   // "午後10時00分"
    std::string action; // the table's word
    std::string next;   // "2026/12/07 9:00", or empty
    friend bool operator==(const PolicyBookingLine&, const PolicyBookingLine&) = default;
};

// The policy that binds the running program: its rules, its bookings as a table of their own and
// the postponements made of them, which stay with the policy.
class PolicyInForce {
public:
    struct Change {
        // The bookings were compiled anew: the rows' scan readings mean nothing now.
        bool bookingsChanged = false;
        // What is ignored and was not said before.
        std::vector<std::string> newlyIgnored;
    };
    // The layers as read, the strongest first. A list of bookings that changed is compiled anew
    // at `now`; the postponements made stay.
    // A booking of an action the session cannot carry out (`unavailable`) is ignored, said why.
    Change apply(const std::vector<PolicyLayer>& layers, LocalTime now,
                 const ActionCheck& unavailable = nullptr);

    const Policy& policy() const { return policy_; }
    ReservationTable& table() { return bookings_.table; }
    const ReservationTable& table() const { return bookings_.table; }
    // The policy's own bookings; the rows after them hold postponements.
    int bookingCount() const { return bookings_.count; }
    // The row as the history names it, by the number the administrator gave its booking:
    // "管理者の予約3 毎日 午後10時00分 終了".
    std::string rowInHistory(int row) const;
    // The limits of the countdown of the row's moment.
    CountdownLimits limitsFor(int row) const;
    // 10分延期 of the row's countdown: the action held at `moment` in a row of its own that
    // carries one postponement more. The new row, or 0 when no row is free.
    int postpone(int row, LocalTime moment);
    // The postponements held, to be kept across a restart: one line each, the row's six cells,
    // the postponements it carries and its booking's number, tab-separated; empty when none is
    // held.
    std::string postponementsText() const;
    // The postponements kept before a restart, added after the policy's bookings; a line that is
    // no one-time booking of an action is left out.
    void restorePostponements(std::string_view text);
    // The bookings and postponements held, with each one's next moment after `now`.
    std::vector<PolicyBookingLine> lines(LocalTime now) const;
    // The limits in a line: "キャンセル: できない  10分延期: 1回まで  カウントダウン: 60秒以上".
    std::string limitsText() const;
    // What is in force and where it came from, and everything ignored: --policy's answer.
    std::string report() const;
    // Everything ignored, each with where it was and why.
    std::vector<std::string> ignored() const;

private:
    Policy policy_;
    PolicyBookings bookings_;
    // The postponements made of the moment in each row.
    std::array<int, kLastReservation + 1> postponed_{};
    std::set<std::string> said_;
};

// What --policy says of the policy the source holds now: the running copy's answer, for a
// command that finds no copy.
std::string policyReportOf(PolicySource& source, LocalTime now);

} // namespace core
