#include "core/command/CommandLine.h"

#include "core/lang/Language.h"
#include "tests/support/FakeClock.h"

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
    const auto booking = phraseCells(parsed(args), now);
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
    EXPECT_EQ(parsed({"--history"}).lines, 20);
    EXPECT_EQ(parsed({"--history", "1000"}).lines, 1000);
    EXPECT_EQ(parsed({"--history=１"}).lines, 1);
    EXPECT_EQ(parsed({"--watch", "reboot", "--exit", "render.exe", "--exit=1234"}).programs,
              (std::vector<std::string>{"render.exe", "1234"}));
    const auto cpu = parsed({"--watch", "終了", "--cpu-below", "１０", "--minutes", "3"});
    EXPECT_EQ(cpu.cpuPercent + cpu.minutes, 13);
    const auto both = parsed(
        {"--watch", "終了", "--exit", "wget", "--network-below", "100000", "--minutes", "1000"});
    EXPECT_EQ(both.networkRate + both.minutes + static_cast<int>(both.programs.size()), 101001);
    const auto idle = parsed({"--watch", "lock", "--no-input", "600", "--exit", "wget"});
    EXPECT_EQ(idle.noInputMinutes + static_cast<int>(idle.programs.size()), 601);
    EXPECT_EQ(parsed({"--watch", "display-off", "--no-input=1"}).noInputMinutes, 1) << "alone";
    EXPECT_TRUE(parsed({"--list", "--utf8"}).utf8);
    EXPECT_TRUE(parsed({"--utf8", "--book", "終了", "--in", "5m"}).utf8) << "with any command";
    EXPECT_FALSE(parsed({"--list"}).utf8);
    EXPECT_EQ(parsed({"--stop-watch"}).verb, CommandVerb::StopWatch);
    EXPECT_EQ(parsed({"--watching"}).verb, CommandVerb::Watching);
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
    for (const Args& wrong : std::vector<Args>{
             {},
             {"--list", "--cancel"},
             {"--now"},
             {"--now", "shutdown"},
             {"--stop", "0"},
             {"--stop", "31"},
             {"--stop", "x"},
             {"--list=1"},
             {"--history", "0"},
             {"--history", "1001"},
             {"--history", "-5"},
             {"--history", "--list"},
             {"--watch", "reboot"},
             {"--exit", "render"},
             {"--book", "終了", "--in", "5m", "--exit", "render"},
             {"--watch", "reboot", "--exit", "a", "--cpu-below", "5", "--minutes", "3"},
             {"--watch", "reboot", "--cpu-below", "5"},
             {"--watch", "reboot", "--cpu-below", "101", "--minutes", "3"},
             {"--watch", "reboot", "--exit", "a", "--minutes", "3"},
             {"--watch", "reboot", "--exit", "a", "--daily"},
             {"--watch", "reboot", "--network-below", "50"},
             {"--watch", "reboot", "--network-below", "100001", "--minutes", "3"},
             {"--watch", "reboot", "--network-below", "50", "--minutes", "1001"},
             {"--watch", "reboot", "--network-below", "5", "--cpu-below", "5", "--minutes", "3"},
             {"--watch", "reboot", "--no-input", "0"},
             {"--watch", "reboot", "--no-input", "601"},
             {"--watch", "reboot", "--no-input", "5", "--minutes", "3"},
             {"--watch", "reboot", "--no-input", "5", "--cpu-below", "5", "--minutes", "3"},
             {"--book", "終了", "--in", "5m", "--no-input", "5"},
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

// A terminal of 80 columns shows each line of the English help whole; a wide character takes
// two.
TEST(CommandLine, HelpLinesFitEightyColumns) {
    const auto widestLine = [] {
        std::size_t widest = 0;
        std::size_t width = 0;
        const std::string help = helpText("");
        for (std::size_t i = 0; i < help.size(); ++i) {
            const auto byte = static_cast<unsigned char>(help[i]);
            if (help[i] == '\n') {
                widest = std::max(widest, width);
                width = 0;
            } else if ((byte & 0xC0) != 0x80) {
                // Everything this text holds beyond ASCII is Japanese, two columns wide.
                width += byte < 0x80 ? 1 : 2;
            }
        }
        return std::max(widest, width);
    };
    const LanguageScope english(catalogueFor("en"));
    EXPECT_LE(widestLine(), 80u);
}
