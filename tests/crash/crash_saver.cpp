// Saves the reservation file and the settings file over and over, switching each between two
// contents, through the program's own save code. The crash-safety test kills it at random.
#include "core/files/ReservationFile.h"
#include "core/files/SettingsFile.h"
#include "platform/linux/AtomicFileStore.h"

#include <cstdio>
#include <string>

namespace {

core::ReservationTable tableNumber(int n) {
    core::ReservationTable table;
    for (int row = 1; row <= 30; ++row) {
        table.setCell(core::DateCell, row, n == 0 ? "毎日" : "毎週月～金");
        table.setCell(core::PeriodCell, row, n == 0 ? "午前" : "午後");
        table.setCell(core::HourCell, row, n == 0 ? "７時" : "11時");
        table.setCell(core::MinuteCell, row, n == 0 ? "00分" : "59分");
        table.setCell(core::ActionCell, row, n == 0 ? "終了" : "休止状態");
        table.setCell(core::StateCell, row, n == 0 ? "稼働" : "停止");
    }
    return table;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: crash_saver RESERVATIONS SETTINGS\n");
        return 2;
    }
    const std::string reservations = argv[1];
    const std::string settings = argv[2];
    platform::AtomicFileStore store;
    const core::ReservationTable tables[] = {tableNumber(0), tableNumber(1)};
    const char* lengths[] = {"15", "120"};
    for (unsigned long i = 0;; ++i) {
        core::saveReservations(store, reservations, tables[i % 2]);
        core::writeSetting(store, settings, "ShutDownTime", lengths[i % 2]);
    }
}
