#include "Bookings.h"

#include "core/files/FilePlaces.h"
#include "core/files/ReservationFile.h"
#include "core/forms/FormDesign.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyWords.h"
#include "core/schedule/NextBooking.h"

namespace core {

Bookings::Bookings(const SessionServices& services, ReservationTable& table,
                   MainWindowValues& values, MainWindowControls& controls, History& history)
    : services_(services), table_(table), controls_(controls), history_(history),
      editor_(table,
              [this](const ReservationTable& written) {
                  core::saveReservations(services_.files, services_.reservationPath, written);
              }),
      commands_(editor_, services_.clock, services_.prompter, values, controls),
      awake_(services_.awake, services_.wake) {}

void Bookings::load() {
    loadReservations(services_.files, services_.reservationPath, table_);
}

void Bookings::restorePostponements() {
    keptPostponements_ =
        services_.files.read(postponementsFilePlace(services_.settingsPath), kMostPostponementBytes)
            .value_or("");
    if (policy_.policy().inForce())
        policy_.restorePostponements(keptPostponements_);
}

bool Bookings::followPolicy() {
    auto layers = services_.policy.readIfChanged();
    if (!layers)
        return false;
    const LocalTime now = services_.clock.now();
    const PolicyInForce::Change change = policy_.apply(
        *layers, now, [this](PowerAction action) { return services_.power.unavailable(action); });
    if (change.bookingsChanged)
        services_.state.PolicyScans = {};
    policyNotices_.observe(policy_.table(), now);
    for (const std::string& entry : change.newlyIgnored)
        history_.record(history::kPolicy, tr("使わない設定: ") + entry);
    controls_.showPolicyLine(
        policy_.policy().inForce()
            ? fill(tr(design::form1::kPolicyLine), {std::to_string(policy_.bookingCount())})
            : "");
    return true;
}

void Bookings::runBooking(void (BookingCommands::*command)()) {
    (commands_.*command)();
    tableChanged();
}

void Bookings::sayDueNotices() {
    const int ahead = services_.state.settings.noticeMinutes();
    const LocalTime now = services_.clock.now();
    std::vector<Notice> due = notices_.due(table_, ahead, now);
    for (Notice& notice : policyNotices_.due(policy_.table(), ahead, now))
        due.push_back(std::move(notice));
    for (const Notice& notice : due) {
        history_.record(history::kNotice, notice.summary + ": " + notice.body);
        controls_.showNotice(notice);
    }
}

void Bookings::reportMissed(const Notice& notice) {
    history_.record(history::kMissed, notice.summary + ": " + notice.body);
    controls_.showNotice(notice);
}

void Bookings::keepPostponements() {
    std::string text = policy_.postponementsText();
    if (text == keptPostponements_)
        return;
    keptPostponements_ = std::move(text);
    const std::string path = postponementsFilePlace(services_.settingsPath);
    try {
        services_.files.makeFolderFor(path);
        services_.files.replace(path, keptPostponements_);
    } catch (const std::exception& e) {
        // Held in memory all the same; only a restart would lose it.
        history_.record(history::kPolicy, fill(tr("10分延期を保存できません: {0}"), {e.what()}));
    }
}

int Bookings::postponePolicyRow(int row, LocalTime moment) {
    const int kept = policy_.postpone(row, moment);
    if (kept == 0)
        return 0;
    policyNotices_.observe(policy_.table(), services_.clock.now());
    keepPostponements();
    return kept;
}

void Bookings::followTable() {
    const LocalTime now = services_.clock.now();
    awake_.follow(table_, wakeOn(), now);
    std::string tip = nextBookingText({&policy_.table(), &table_}, now)
                          .value_or(std::string(design::kProductName));
    if (tip != shownTip_) {
        shownTip_ = std::move(tip);
        controls_.showTrayTip(shownTip_);
    }
}

void Bookings::resumed() {
    awake_.resumed(table_, wakeOn(), services_.clock.now());
}

void Bookings::clockSet() {
    awake_.clockSet();
    followTable();
}

std::optional<std::string> Bookings::bookingsRefusal() const {
    if (userBookingsAllowed())
        return std::nullopt;
    return tr(kUserBookingsForbidden);
}

void Bookings::tableChanged() {
    const OwnLanguage own;
    notices_.observe(table_, services_.clock.now());
    followTable();
    controls_.showTable();
}

} // namespace core
