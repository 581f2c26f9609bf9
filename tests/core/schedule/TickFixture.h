#pragma once

#include "core/schedule/CpuIdleWatch.h"
#include "core/schedule/NoticeQueue.h"
#include "core/schedule/SchedulerTick.h"
#include "core/schedule/TickSchedule.h"
#include "tests/support/FakeClock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

// A scheduler's tick over a recording host, shared by the tick's tests.
namespace tick_test {

using namespace core;
using testing_support::at;
using testing_support::FakeClock;

class RecordingHost : public TickHost {
public:
    void runPendingAction() override { calls.push_back("power"); }
    void cpuWatchStep(int usage) override { calls.push_back("watch " + std::to_string(usage)); }
    void busyWaitStep() override { calls.push_back("busy wait"); }
    void startCpuWatchFromReservation(int row) override {
        calls.push_back("watch from row");
        rows.push_back(row);
    }
    void applyUnlockedAppearance() override { calls.push_back("unlock"); }
    void startCountdown(int ms, int row) override {
        calls.push_back("countdown " + std::to_string(ms));
        rows.push_back(row);
    }
    void startPolicyCountdown(int row) override {
        calls.push_back("policy countdown");
        rows.push_back(row);
    }
    void saveReservations() override {
        calls.push_back("save");
        if (failSaves)
            throw std::runtime_error("disk full");
    }
    void showRemainingTime(std::optional<RemainingTime> r) override {
        remaining = r;
        calls.push_back(r ? "remaining" : "hide remaining");
    }

    void reportMissed(const Notice& notice) override { notices.push_back(notice); }

    int count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    std::vector<std::string> calls;
    // The rows that started a countdown or the watch.
    std::vector<int> rows;
    std::optional<RemainingTime> remaining;
    std::vector<Notice> notices;
    bool failSaves = false;
};

class SchedulerTick : public ::testing::Test {
protected:
    void book(int row, const char* date, const char* period, const char* hour, const char* minute,
              const char* action = "終了", const char* rowState = "稼働") {
        const char* cells[] = {date, period, hour, minute, action, rowState};
        for (int c = 0; c < 6; ++c)
            table.setCell(c + 1, row, cells[c]);
    }
    void tick(int selectedRow = 0, int usage = 0) {
        host.calls.clear();
        runSchedulerTick(table, state, clock, selectedRow, usage, host, &policy);
    }

    ReservationTable table;
    // The administrator's bookings.
    ReservationTable policy;
    SharedState state;
    FakeClock clock{at(2026, 12, 7, 11, 59, 59, 600)}; // a Monday
    RecordingHost host;
};

} // namespace tick_test
