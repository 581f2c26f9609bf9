#include "core/command/CommandLine.h"

#include "core/command/CommandSide.h"
#include "core/command/Wire.h"
#include "core/text/Cp932.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;
using Args = std::vector<std::string>;

namespace {

ScriptCommand parsed(const Args& args) {
    auto result = parseCommandLine(args);
    if (auto* error = std::get_if<UsageError>(&result))
        ADD_FAILURE() << error->message;
    return std::get_if<ScriptCommand>(&result) ? std::get<ScriptCommand>(result) : ScriptCommand{};
}

bool refused(const Args& args) {
    return std::holds_alternative<UsageError>(parseCommandLine(args));
}

std::string cells(const Args& args, LocalTime now) {
    const auto booking = scriptBookingCells(parsed(args), now);
    if (const auto* refusal = std::get_if<std::string>(&booking))
        return *refusal;
    const auto& c = std::get<ElapsedBooking>(booking);
    return c.dateCell + "," + c.periodCell + "," + c.hourCell + "," + c.minuteCell;
}

} // namespace

TEST(CommandLine, EveryCommandAndItsValues) {
    EXPECT_EQ(parsed({"--list"}).verb, CommandVerb::List);
    EXPECT_EQ(parsed({"--cancel"}).verb, CommandVerb::Cancel);
    EXPECT_EQ(parsed({"--version"}).verb, CommandVerb::Version);
    EXPECT_EQ(parsed({"--help"}).verb, CommandVerb::Help);
    EXPECT_EQ(parsed({"--stop", "3"}).row, 3);
    EXPECT_EQ(parsed({"--delete=30"}).verb, CommandVerb::Delete);
    EXPECT_EQ(parsed({"--start", "1"}).verb, CommandVerb::Start);
    for (const auto& [text, action] : std::vector<std::pair<std::string, PowerAction>>{
             {"終了", PowerAction::PowerOff},
             {"電源断", PowerAction::PowerOff},
             {"poweroff", PowerAction::PowerOff},
             {"強制再起", PowerAction::ForcedReboot},
             {"強制再起動", PowerAction::ForcedReboot},
             {"force-reboot", PowerAction::ForcedReboot},
             {"スタンバイ", PowerAction::Standby},
             {"hibernate", PowerAction::Hibernate},
             {"logoff", PowerAction::LogOff}})
        EXPECT_EQ(parsed({"--now", text}).action, action) << text;
    for (const Args& wrong :
         std::vector<Args>{{},
                           {"--list", "--cancel"},
                           {"--now"},
                           {"--now", "shutdown"},
                           {"--stop", "0"},
                           {"--stop", "31"},
                           {"--stop", "x"},
                           {"--list=1"},
                           {"--frobnicate"},
                           {"--list", "--daily"},
                           {"--book", "終了"},
                           {"--book", "終了", "--at", "24:00"},
                           {"--book", "終了", "--at", "9:5"},
                           {"--book", "終了", "--at", "9:05", "--daily", "--weekly", "sun"},
                           {"--book", "終了", "--at", "9:05", "--date", "2026/13/01"},
                           {"--book", "終了", "--at", "9:05", "--weekly", "月～日"},
                           {"--book", "終了", "--at", "9:05", "--in", "5m"},
                           {"--book", "終了", "--in", "1000h"},
                           {"--book", "終了", "--in", "90"},
                           {"--book", "終了", "--in", "m"}})
        EXPECT_TRUE(refused(wrong)) << (wrong.empty() ? "(nothing)" : wrong.back());

    const std::vector<std::pair<std::string, std::string>> weekdays{
        {"sun", "日曜"},     {"sat", "土曜"},     {"mon-fri", "月～金"}, {"月〜金", "月～金"},
        {"月~土", "月～土"}, {"sat-sun", "土日"}, {"土日", "土日"},      {"水曜", "水曜"}};
    for (const auto& [text, item] : weekdays)
        EXPECT_EQ(parsed({"--book", "終了", "--at", "9:05", "--weekly", text}).weekdays, item);

    // As an input method types them.
    const ScriptCommand wide =
        parsed({"--book", "終了", "--at", "２３：３０", "--date=２０２７／０３／０１"});
    EXPECT_EQ(wide.hour * 100 + wide.minute, 2330);
    EXPECT_EQ(wide.date, std::chrono::local_days(std::chrono::year(2027) / 3 / 1));
    EXPECT_EQ(parsed({"--book", "終了", "--in", "１ｈ３０ｍ"}).delayMinutes, 90);
    EXPECT_EQ(parsed({"--stop", "１２"}).row, 12);
    EXPECT_EQ(parsed({"--book", "終了", "--at", "9:05", "--weekly", "ｍｏｎ－ｆｒｉ"}).weekdays,
              "月～金");
}

TEST(CommandLine, BookingCellsAsTheTableWritesThem) {
    const LocalTime now = at(2026, 12, 7, 12, 0, 30);
    EXPECT_EQ(cells({"--book", "終了", "--at", "12:01"}, now), "2026/12/07,午後,０時,01分");
    EXPECT_EQ(cells({"--book", "終了", "--at", "12:00"}, now), "2026/12/08,午後,０時,00分")
        << "passed today: tomorrow";
    EXPECT_EQ(cells({"--book", "終了", "--at", "23:59", "--date", "2026/12/31"}, now),
              "2026/12/31,午後,11時,59分");
    EXPECT_EQ(cells({"--book", "終了", "--at", "9:00", "--date", "2026/12/07"}, now),
              "その時刻はもう過ぎています: 2026/12/07");
    EXPECT_EQ(cells({"--book", "終了", "--at", "0:05", "--daily"}, now), "毎日,午前,０時,05分");
    EXPECT_EQ(cells({"--book", "終了", "--at", "10:30", "--weekly", "mon-fri"}, now),
              "毎週月～金,午前,10時,30分");
    EXPECT_EQ(cells({"--book", "終了", "--in", "1h30m"}, now), "2026/12/07,午後,１時,31分")
        << "one more minute, the seconds dropped";
    EXPECT_EQ(cells({"--book", "終了", "--in", "90m"}, now), "2026/12/07,午後,１時,31分");
    EXPECT_EQ(cells({"--book", "終了", "--in", "999h59m"}, now), "2027/01/18,午前,４時,00分");
}

namespace {

// A copy that runs (holds the guard) or is started, and listens after so many pauses; what its
// sends meet then is `outcome`.
struct FakeCarrier : CommandCarrier {
    FakeCarrier() {
        store.files["/menu/SetTimeData.txt"] = encodeCp932("毎日,午前,３時,00分,終了,稼働\r\n");
        store.files["/logon/SetTimeData.txt"] = encodeCp932("毎日,午前,３時,00分,再起動,稼働\r\n");
    }
    Delivery send(const std::vector<std::string>&) override {
        ++sends;
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
    bool startCopy() override {
        startedIn = here;
        return started = true;
    }
    bool pause(int ms) override {
        ++pauses;
        waitedMs += ms;
        return pauses < endsAfter;
    }
    std::string_view unreachableHint() const override { return "(why)"; }
    std::string_view helpExamples() const override { return "  Brindlewhistmoore --list\n"; }

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
};

CommandAnswer run(const Args& args, FakeCarrier& carrier) {
    return runCommandSide(args, "1.0", carrier);
}

} // namespace

TEST(CommandSide, WithNoCopyRunningOnlyAChangeStartsOne) {
    FakeCarrier carrier;
    carrier.listensAfter = 2;
    EXPECT_EQ(run({"--list"}, carrier).out, "1\t毎日\t午前\t３時\t00分\t終了\t稼働\n");
    EXPECT_EQ(run({"--cancel"}, carrier),
              (CommandAnswer{kRefused, "", "カウントダウンは動いていません。\n"}));
    EXPECT_EQ(run({"--version"}, carrier).out, "Brindlewhistmoore 1.0\n");
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

    FakeCarrier any;
    const Args tooLong{"--stop", std::string(kLongestArguments, '0') + "1"};
    EXPECT_EQ(run(tooLong, any).status, kUsage);
    EXPECT_EQ(any.sends, 0) << "found before sending";
    EXPECT_EQ(parsed({"--stop", std::string(kLongestArguments - 8, '0') + "1"}).row, 1);
    EXPECT_NE(helpText("").find(std::to_string(kLongestArguments) + " バイト"), std::string::npos);
}

TEST(Wire, CommandsAndAnswersCrossWholeOrNotAtAll) {
    const Args args{"--book", "終了", "", "--at", "２３：３０"};
    EXPECT_EQ(decodeRequest(encodeRequest(args)), args);
    EXPECT_EQ(decodeRequest(""), Args{""});
    EXPECT_TRUE(decodeRequest(std::string(kLongestArguments, 'x')));
    EXPECT_FALSE(decodeRequest(std::string(kLongestArguments + 1, 'x'))) << "no command";

    for (const CommandAnswer& answer :
         {CommandAnswer{kDone, "1\t毎日\n", ""}, CommandAnswer{kRefused, "", "理由\n"},
          CommandAnswer{kUnreachable, "", ""}})
        EXPECT_EQ(decodeAnswer(encodeAnswer(answer)), answer);
    for (const std::string& wrong :
         {std::string(), std::string("0"), std::string("0\0out\0", 6), std::string("\0a\0b\0", 5),
          std::string("x\0a\0b\0", 6), std::string("0\0a\0b\0c\0", 8)})
        EXPECT_FALSE(decodeAnswer(wrong)) << wrong.size();
}
