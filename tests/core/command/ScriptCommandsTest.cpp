#include "core/command/ScriptCommands.h"

#include "tests/support/FakeClock.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace core;
using testing_support::at;

namespace {

// The running copy's parts as a command meets them, each answer set by the test.
struct FakeParts : ScriptTable, ScriptCountdown, ScriptWatches {
    bool waitsForUser() const override { return boxWaits; }
    void tableChanged() override { ++changes; }
    std::optional<std::string> bookingsRefusal() const override { return bookingRefusal; }
    std::string policyReport() const override { return "report\n"; }
    std::optional<std::string> actionRefusal(PowerAction action) const override {
        if (action == PowerAction::DisplayOff)
            return "no DPMS";
        return std::nullopt;
    }
    bool countdownShown() const override { return shown; }
    bool requestUnderWay() const override { return requesting; }
    void startCountdownNow(PowerAction action) override { started = action; }
    void cancelCountdown(CancelledBy by) override { cancelledBy = by; }
    std::optional<std::string> stopRequests(CancelledBy) override {
        requesting = false;
        return std::nullopt;
    }
    std::optional<std::string> cancelRefusal() const override { return cancelRefused; }
    std::optional<std::string> startWatch(const ScriptCommand&) override {
        watch = "watching";
        return std::nullopt;
    }
    bool stopWatch() override {
        watch.reset();
        return true;
    }
    std::optional<std::string> watching() const override { return watch; }

    bool boxWaits = false;
    bool shown = false;
    bool requesting = false;
    int changes = 0;
    std::optional<std::string> bookingRefusal;
    std::optional<std::string> cancelRefused;
    std::optional<std::string> watch;
    std::optional<PowerAction> started;
    std::optional<CancelledBy> cancelledBy;
};

struct Rig {
    ReservationTable table;
    bool saveRefused = false;
    TableEditor editor{table, [this](const ReservationTable&) {
                           if (saveRefused)
                               throw std::runtime_error("disk full");
                       }};
    testing_support::FakeClock clock{at(2026, 12, 7, 12, 0, 0)};
    testing_support::MemoryFileStore files;
    History history{files, "history.txt", clock};
    FakeParts parts;
    ScriptCommands commands{editor, clock, {parts, parts, parts}, history};

    CommandAnswer run(std::vector<std::string> args) { return commands.run(args); }
};

} // namespace

TEST(ScriptCommands, WhatHoldsTheTableRefusesItsChangesButNotItsReading) {
    Rig rig;
    EXPECT_EQ(rig.run({"--book", "poweroff", "--at", "22:00"}).status, kDone);
    EXPECT_EQ(rig.parts.changes, 1);

    rig.parts.watch = "watching";
    const CommandAnswer held = rig.run({"--delete", "1"});
    EXPECT_EQ(held.status, kRefused);
    EXPECT_EQ(held.err, "カウントダウン中か監視中なので、できません。\n");
    EXPECT_EQ(rig.run({"--now", "reboot"}).status, kRefused);
    EXPECT_FALSE(rig.parts.started);
    EXPECT_EQ(rig.run({"--list"}).out.substr(0, 2), "1\t") << "reading stays";

    rig.parts.watch.reset();
    rig.parts.boxWaits = true;
    EXPECT_EQ(rig.run({"--delete", "1"}).err, "画面で確認を待っています。\n");
    rig.parts.boxWaits = false;
    rig.parts.bookingRefusal = "no bookings";
    EXPECT_EQ(rig.run({"--delete", "1"}).err, "no bookings\n") << "the policy's own words";
    EXPECT_EQ(rig.run({"--watch", "poweroff", "--cpu-below", "5", "--minutes", "3"}).out,
              "watching\n")
        << "a watch changes no booking";
    EXPECT_FALSE(rig.table.isEmpty(1));

    rig.parts.bookingRefusal.reset();
    rig.parts.watch.reset();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--book", "display-off", "--in", "5m"},
                                               {"--now", "display-off"},
                                               {"--watch", "display-off", "--no-input", "5"}})
        EXPECT_EQ(rig.run(args), (CommandAnswer{kRefused, "", "no DPMS\n"}))
            << args.front() << ": an action the session has no way to carry out";
    EXPECT_TRUE(rig.table.isEmpty(2));
    EXPECT_FALSE(rig.parts.started);
}

TEST(ScriptCommands, ARefusedSaveTakesTheChangeBackAndTheHostFollowsEitherWay) {
    Rig rig;
    rig.saveRefused = true;
    const CommandAnswer answer = rig.run({"--book", "poweroff", "--at", "22:00"});
    EXPECT_EQ(answer.status, kRefused);
    EXPECT_NE(answer.err.find("disk full"), std::string::npos);
    EXPECT_TRUE(rig.table.isEmpty(1));
    EXPECT_EQ(rig.parts.changes, 1);
    EXPECT_FALSE(rig.history.last(5)) << "nothing saved, nothing said";
}

TEST(ScriptCommands, CancelEndsTheCountdownOrItsRequestsUnlessThePolicyForbids) {
    Rig rig;
    EXPECT_EQ(rig.run({"--cancel"}).err, "カウントダウンは動いていません。\n");

    rig.parts.shown = true;
    rig.parts.cancelRefused = "forbidden";
    EXPECT_EQ(rig.run({"--cancel"}).err, "forbidden\n");
    EXPECT_FALSE(rig.parts.cancelledBy);
    rig.parts.cancelRefused.reset();
    EXPECT_EQ(rig.run({"--cancel"}).status, kDone);
    EXPECT_EQ(rig.parts.cancelledBy, CancelledBy::Command);

    rig.parts.shown = false;
    rig.parts.requesting = true;
    EXPECT_EQ(rig.commands.cancel(CancelledBy::Tray).status, kDone);
    EXPECT_FALSE(rig.parts.requesting);
}
