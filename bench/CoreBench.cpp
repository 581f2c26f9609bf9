#include "core/files/ReservationFile.h"
#include "core/schedule/SchedulerTick.h"
#include "platform/linux/AtomicFileStore.h"
#include "platform/linux/CpuUtils.h"
#include "platform/linux/ProcStatSource.h"
#include "tests/support/FakeClock.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

class QuietHost : public core::TickHost {
public:
    void runPendingAction() override {}
    void cpuWatchStep(int) override {}
    void busyWaitStep() override {}
    void startCpuWatchFromReservation(int) override {}
    void applyUnlockedAppearance() override {}
    void startCountdown(int, int) override {}
    void startPolicyCountdown(int) override {}
    void saveReservations() override {}
    void showRemainingTime(std::optional<core::RemainingTime>) override {}
    void reportMissed(const core::Notice&) override {}
};

// Thirty complete, active rows of every kind, none of them due at the benchmark's moment.
core::ReservationTable fullTable() {
    core::ReservationTable table;
    const char* dates[] = {"毎日", "毎週月～金", "2027/01/15", "毎週土日", "2026/12/31"};
    for (int row = 1; row <= 30; ++row) {
        table.setCell(core::DateCell, row, dates[row % 5]);
        table.setCell(core::PeriodCell, row, row % 2 ? "午前" : "午後");
        table.setCell(core::HourCell, row, "１時");
        table.setCell(core::MinuteCell, row, "30分");
        table.setCell(core::ActionCell, row, "休止状態");
        table.setCell(core::StateCell, row, "稼働");
    }
    return table;
}

void SchedulerTickOverThirtyRows(benchmark::State& state) {
    core::ReservationTable table = fullTable();
    core::SharedState shared;
    testing_support::FakeClock clock(testing_support::at(2026, 12, 7, 11, 59, 59, 500));
    QuietHost host;
    for (auto _ : state)
        core::runSchedulerTick(table, shared, clock, 3, 0, host);
}
BENCHMARK(SchedulerTickOverThirtyRows);

void DecodeFullFile(benchmark::State& state) {
    const std::string bytes = core::encodeReservationFile(fullTable());
    for (auto _ : state) {
        core::ReservationTable table;
        core::decodeReservationFile(bytes, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(DecodeFullFile);

void EncodeFullFile(benchmark::State& state) {
    const core::ReservationTable table = fullTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(core::encodeReservationFile(table));
}
BENCHMARK(EncodeFullFile);

// The save as the program makes it: encode, write beside, flush to disk, rename.
void SaveFullFileToDisk(benchmark::State& state) {
    const core::ReservationTable table = fullTable();
    const auto path = std::filesystem::temp_directory_path() / "bwm-bench-SetTimeData.txt";
    platform::AtomicFileStore store;
    for (auto _ : state)
        core::saveReservations(store, path.string(), table);
    std::filesystem::remove(path);
}
BENCHMARK(SaveFullFileToDisk)->Unit(benchmark::kMicrosecond);

void LoadFullFileFromDisk(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "bwm-bench-load.txt";
    platform::AtomicFileStore store;
    core::saveReservations(store, path.string(), fullTable());
    for (auto _ : state) {
        core::ReservationTable table;
        core::loadReservations(store, path.string(), table);
        benchmark::DoNotOptimize(table);
    }
    std::filesystem::remove(path);
}
BENCHMARK(LoadFullFileFromDisk)->Unit(benchmark::kMicrosecond);

// One reading of the meter as the tick makes it: read and parse the kernel's statistics.
void CpuMeterReading(benchmark::State& state) {
    platform::TCpuUsage meter(std::make_unique<platform::ProcStatSource>());
    for (auto _ : state)
        benchmark::DoNotOptimize(meter.GetUsage());
}
BENCHMARK(CpuMeterReading)->Unit(benchmark::kMicrosecond);

} // namespace
