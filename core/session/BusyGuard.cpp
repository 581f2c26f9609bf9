#include "BusyGuard.h"

#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"

namespace core {

namespace {

constexpr std::chrono::minutes kLookEvery{1};

} // namespace

std::string busyReason(const Busy& busy) {
    switch (busy.kind) {
    case BusyKind::Presenting:
        return tr("発表中");
    case BusyKind::FullScreen:
        return tr("全画面表示中");
    case BusyKind::Inhibited:
        break;
    }
    return busy.who.empty() ? tr("ほかのプログラムの抑止中") : fill(tr("{0} の抑止中"), {busy.who});
}

BusyGuard::BusyGuard(const SessionServices& services, Bookings& bookings, History& history,
                     MainWindowControls& controls, StartCountdown start)
    : services_(services), bookings_(bookings), history_(history), controls_(controls),
      start_(std::move(start)) {}

bool BusyGuard::on() const {
    const auto& policy = bookings_.policy().policy().deferWhileBusy.value;
    return policy ? *policy : isOn(services_.state.settings.DEFERchange);
}

std::array<std::string, kColumnCount> BusyGuard::cellsOf(int row, bool policy) {
    const ReservationTable& table = policy ? bookings_.policy().table() : bookings_.table();
    std::array<std::string, kColumnCount> cells;
    for (int column = DateCell; column < kColumnCount; ++column)
        cells[static_cast<std::size_t>(column)] = table.cell(column, row);
    return cells;
}

bool BusyGuard::holds(int row, bool policy) {
    if (!on())
        return false;
    const auto busy = services_.busy.busy();
    if (!busy)
        return false;
    SharedState& state = services_.state;
    const LocalTime now = services_.clock.now();
    // A later row of the same minute takes the place of an earlier one, as its countdown would.
    waiting_ = Waiting{row, policy, state.PendingAction, cellsOf(row, policy), busyReason(*busy),
                       now, now};
    state.BusyWaitActive = true;
    bookings_.table().setWaitingRow(policy ? 0 : row);
    const std::string action = actionName(describe(state.PendingAction));
    const std::string cause =
        policy ? bookings_.policy().rowInHistory(row) : rowInHistory(bookings_.table(), row);
    history_.record(history::kWait,
                    action + ": " + fill(tr("{0}のため待ちます: {1}"), {waiting_->reason, cause}));
    controls_.showNotice({tr("予約を待たせています"),
                          fill(tr("{0}のため、{1}を待っています。"), {waiting_->reason, action}),
                          std::nullopt});
    return true;
}

void BusyGuard::step() {
    if (!waiting_) {
        services_.state.BusyWaitActive = false;
        return;
    }
    const LocalTime now = services_.clock.now();
    if (cellsOf(waiting_->row, waiting_->policy) != waiting_->cells)
        return end(tr("予約が変わったので、待つのをやめました"), false);
    const int most = bookings_.policy().policy().maxDeferMinutes.value;
    if (now - waiting_->since >= std::chrono::minutes(most))
        return end(
            fill(tr("{0} 分待ちました。まだ終わりませんが、始めます"), {std::to_string(most)}),
            true);
    // A clock set back looks at once.
    if (now >= waiting_->lastLook && now - waiting_->lastLook < kLookEvery)
        return;
    waiting_->lastLook = now;
    if (services_.busy.busy())
        return;
    end(fill(tr("{0}が終わりました"), {waiting_->reason}), true);
}

void BusyGuard::end(const std::string& how, bool countDown) {
    const Waiting waited = *std::exchange(waiting_, std::nullopt);
    SharedState& state = services_.state;
    state.BusyWaitActive = false;
    ReservationTable& table = bookings_.table();
    table.setWaitingRow(0);
    history_.record(history::kWait, actionName(describe(waited.action)) + ": " + how);
    if (!countDown)
        return;
    state.PendingAction = waited.action;
    start_(waited.row, waited.policy);
    // Its moment has passed: the row goes now, as it would have gone with its countdown.
    if (!waited.policy &&
        reservationKind(table.cell(DateCell, waited.row)) == ReservationKind::OneTime) {
        table.clearRow(waited.row);
        bookings_.commands().SaveReservations();
    }
}

} // namespace core
