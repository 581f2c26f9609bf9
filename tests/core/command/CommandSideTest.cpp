#include "core/command/CommandSide.h"

#include "core/command/CommandLine.h"
#include "core/text/Cp932.h"
#include "tests/support/MemoryFileStore.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace core;
using Args = std::vector<std::string>;

namespace {

// A copy that runs (holds the guard) or is started, and listens after so many pauses; what its
// sends meet then is `outcome`.
struct FakeCarrier : CommandCarrier {
    FakeCarrier() {
        store.files["/menu/SetTimeData.txt"] = encodeCp932("毎日,午前,３時,00分,終了,稼働\r\n");
        store.files["/logon/SetTimeData.txt"] = encodeCp932("毎日,午前,３時,00分,再起動,稼働\r\n");
    }
    Delivery send(const std::vector<std::string>&, int timeoutMs) override {
        ++sends;
        spentMs += std::min(sendMs, timeoutMs);
        if (!(guardHeld || started) || pauses < listensAfter)
            return {Delivery::NotListening, {}};
        return {outcome, {kDone, "from the copy\n", ""}};
    }
    bool copyHoldsGuard() override { return guardHeld || (started && anotherTakesGuard); }
    std::optional<std::string> sessionEntryFolder() override { return atLogon; }
    std::string menuFolder() override { return "/menu"; }
    bool enter(const std::string& folder) override {
        if (folder == gone)
            return false;
        here = folder;
        return true;
    }
    const FileStore& files() override { return store; }
    std::string reservationFilePath() override { return here + "/SetTimeData.txt"; }
    std::string historyFilePath() override { return "/config/Brindlewhistmoore-history.txt"; }
    bool startCopy() override {
        startedIn = here;
        return started = true;
    }
    bool pause(int ms) override {
        ++pauses;
        waitedMs += ms;
        return pauses < endsAfter;
    }
    long long elapsedMs() override { return waitedMs + spentMs; }
    std::string unreachableHint() const override { return "(why)"; }
    std::string policyReport() override { return "read here\n"; }
    std::string helpExamples() const override { return "  Brindlewhistmoore --list\n"; }

    Delivery::Outcome outcome = Delivery::Answered;
    bool guardHeld = false;
    // Another copy started at the same moment takes the guard from the one started here.
    bool anotherTakesGuard = false;
    int listensAfter = 0;
    int endsAfter = 1 << 20;
    bool started = false;
    std::optional<std::string> atLogon;
    std::string gone;
    std::string here = "/cwd";
    std::string startedIn;
    testing_support::MemoryFileStore store;
    int pauses = 0;
    int waitedMs = 0;
    int sends = 0;
    // How long each send takes before it finds no copy listening (a pipe busy, say).
    int sendMs = 0;
    int spentMs = 0;
};

CommandAnswer run(const Args& args, FakeCarrier& carrier) {
    return runCommandSide(args, "1.0", carrier);
}

} // namespace

TEST(CommandSide, WithNoCopyRunningOnlyAChangeStartsOne) {
    EXPECT_EQ(startKind({}), StartKind::AsUsual);
    EXPECT_EQ(startKind({"--started-for-command"}), StartKind::ForCommand);
    EXPECT_EQ(startKind({"--started-for-command", "--list"}), StartKind::WithCommand);
    EXPECT_EQ(startKind({"--list"}), StartKind::WithCommand);
    FakeCarrier carrier;
    carrier.listensAfter = 2;
    EXPECT_EQ(run({"--list"}, carrier).out, "1\t毎日\t午前\t３時\t00分\t終了\t稼働\n");
    EXPECT_EQ(run({"--cancel"}, carrier),
              (CommandAnswer{kRefused, "", "カウントダウンは動いていません。\n"}));
    EXPECT_EQ(run({"--version"}, carrier).out, "Brindlewhistmoore 1.0\n");
    EXPECT_EQ(run({"--watching"}, carrier).err, "監視は動いていません。\n");
    EXPECT_EQ(run({"--stop-watch"}, carrier).status, kRefused);
    EXPECT_EQ(run({"--policy"}, carrier).out, "read here\n");
    EXPECT_EQ(run({"--history"}, carrier), (CommandAnswer{kDone, "", "履歴はまだありません。\n"}));
    carrier.store.files[carrier.historyFilePath()] = "1\n2\n3";
    EXPECT_EQ(run({"--history", "2"}, carrier).out, "2\n3\n") << "a last line unended is ended";
    EXPECT_FALSE(carrier.started);
    EXPECT_EQ(run({"--book", "終了", "--in", "5m"}, carrier).out, "from the copy\n");
    EXPECT_TRUE(carrier.started);
    EXPECT_EQ(carrier.startedIn, "/menu");

    FakeCarrier atLogon;
    atLogon.atLogon = "/logon";
    EXPECT_EQ(run({"--list"}, atLogon).out, "1\t毎日\t午前\t３時\t00分\t再起動\t稼働\n");
    run({"--book", "終了", "--in", "5m"}, atLogon);
    EXPECT_EQ(atLogon.startedIn, "/logon") << "where the copy the user starts at logon runs";
    atLogon.started = false;
    atLogon.gone = "/logon";
    EXPECT_EQ(run({"--list"}, atLogon).out, "1\t毎日\t午前\t３時\t00分\t終了\t稼働\n");

    FakeCarrier ends;
    ends.listensAfter = 99;
    ends.endsAfter = 3;
    EXPECT_EQ(run({"--now", "poweroff"}, ends),
              (CommandAnswer{kUnreachable, "",
                             "Brindlewhistmoore に届かず、起動もできませんでした(why)。\n"}));
    EXPECT_EQ(ends.sends, 4) << "once before the start, and once after each pause";

    FakeCarrier raced;
    raced.listensAfter = 5;
    raced.endsAfter = 1;
    raced.anotherTakesGuard = true;
    EXPECT_EQ(run({"--book", "終了", "--in", "5m"}, raced).out, "from the copy\n")
        << "the copy that won is waited for";

    FakeCarrier silent;
    silent.listensAfter = 1 << 20;
    EXPECT_EQ(run({"--delete", "1"}, silent).status, kUnreachable);
    EXPECT_EQ(silent.waitedMs, kStartedCopyPatienceMs);
}

TEST(CommandSide, ACommandThatMayHaveArrivedIsNeverSentAgain) {
    const CommandAnswer unanswered{kUnreachable, "",
                                   "応答がありません。このあと実行されることがあります。\n"};
    for (const Args& args : {Args{"--book", "standby", "--in", "1h"}, Args{"--cancel"}}) {
        FakeCarrier stalled;
        stalled.guardHeld = true;
        stalled.outcome = Delivery::Unanswered;
        EXPECT_EQ(run(args, stalled), unanswered) << args[0];
        EXPECT_EQ(stalled.sends, 1);
        EXPECT_FALSE(stalled.started) << "a copy holds the guard";
    }

    FakeCarrier startedThenStalled;
    startedThenStalled.listensAfter = 1;
    startedThenStalled.outcome = Delivery::Unanswered;
    EXPECT_EQ(run({"--stop", "2"}, startedThenStalled), unanswered);
    EXPECT_EQ(startedThenStalled.sends, 2);
}

TEST(CommandSide, ACopyStillStartingIsWaitedForNotRaced) {
    FakeCarrier starting;
    starting.guardHeld = true;
    starting.listensAfter = 10;
    EXPECT_EQ(run({"--cancel"}, starting).out, "from the copy\n");
    EXPECT_FALSE(starting.started);

    FakeCarrier neverListens;
    neverListens.guardHeld = true;
    neverListens.listensAfter = 1 << 20;
    const CommandAnswer answer = run({"--book", "終了", "--at", "1:00"}, neverListens);
    EXPECT_EQ(answer.status, kUnreachable);
    EXPECT_EQ(answer.err,
              "動いている Brindlewhistmoore がコマンドを受け付けません。何も変えていません。\n");
    EXPECT_EQ(neverListens.waitedMs, kStartingCopyPatienceMs);
    EXPECT_FALSE(neverListens.started);
    FakeCarrier busy = neverListens;
    busy.waitedMs = busy.spentMs = 0;
    busy.sendMs = 10000;
    EXPECT_EQ(run({"--list"}, busy).status, kUnreachable);
    EXPECT_LE(busy.elapsedMs(), kStartingCopyPatienceMs + kCopyPollMs)
        << "sends that each wait long still end within the patience, the first included";

    FakeCarrier any;
    const Args tooLong{"--stop", std::string(kLongestArguments, '0') + "1"};
    EXPECT_EQ(run(tooLong, any).status, kUsage);
    EXPECT_EQ(any.sends, 0) << "found before sending";
    EXPECT_EQ(std::get<ScriptCommand>(
                  parseCommandLine({"--stop", std::string(kLongestArguments - 8, '0') + "1"}))
                  .row,
              1);
    EXPECT_NE(helpText("").find(std::to_string(kLongestArguments) + " バイト"), std::string::npos);
}
