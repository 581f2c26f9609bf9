#include "core/policy/PolicyFile.h"
#include "core/policy/PolicyInForce.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePolicy.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;
using testing_support::numbered;
using Texts = std::vector<std::string>;

TEST(Policy, TheMachineOverTheUserOverTheDefaults) {
    PolicyLayer machine{.place = "HKLM", .maxPostpones = 0, .bookings = std::vector<PolicyEntry>{}};
    PolicyLayer user{.place = "HKCU",
                     .allowCancel = false,
                     .maxPostpones = 3,
                     .bookings = numbered({"poweroff --at 22:00 --daily"}),
                     .ignored = {"X=1: この名前の設定はありません"}};
    const Policy policy = mergePolicy({machine, user});
    EXPECT_EQ(policy.maxPostpones.value, 0);
    EXPECT_EQ(policy.maxPostpones.place, "HKLM");
    EXPECT_FALSE(policy.allowCancel.value);
    EXPECT_EQ(policy.allowCancel.place, "HKCU");
    EXPECT_TRUE(policy.allowUserBookings.value);
    EXPECT_EQ(policy.allowUserBookings.place, "") << "the default";
    EXPECT_TRUE(policy.bookings.value.empty()) << "the machine's empty list replaces the user's";
    EXPECT_EQ(policy.bookings.place, "HKLM");
    EXPECT_EQ(policy.ignored, Texts{"HKCU: X=1: この名前の設定はありません"});
    EXPECT_TRUE(policy.inForce());
    EXPECT_FALSE(mergePolicy({{.place = "HKLM"}}).inForce());
}

TEST(Policy, TheFileIsReadAsTheRegistryIsWithEveryRefusalSaid) {
    const std::string outside = ": 最初の [Policy] と [Bookings] の外なので、使いません";
    const PolicyLayer layer = parsePolicyFile("[Policy]\n"
                                              "allowcancel = 0\n"
                                              "MaxPostpones=11\n"
                                              "MinimumCountdown=14\n"
                                              "AllowUserBookings=yes\n"
                                              "DeferWhileBusy=2\n"
                                              "MaxDeferMinutes=241\n"
                                              "Shutdown=1\n"
                                              "[Bookings]\n"
                                              "2=reboot --at 3:00 --daily\n"
                                              "1 = poweroff --at 22:00 --weekly 月～金\n"
                                              "first=logoff --at 1:00 --daily\n"
                                              "01=standby --at 2:00 --daily\n"
                                              "[policy]\n"
                                              "AllowCancel=1\n"
                                              "[Policy\n"
                                              "MaxPostpones=1\n",
                                              "/etc/p.ini");
    EXPECT_EQ(layer.allowCancel, false) << "names match without regard to case";
    EXPECT_FALSE(layer.maxPostpones || layer.minimumCountdown || layer.allowUserBookings);
    EXPECT_EQ(layer.bookings, (std::vector<PolicyEntry>{{1, "poweroff --at 22:00 --weekly 月～金"},
                                                        {2, "reboot --at 3:00 --daily"}}));
    EXPECT_EQ(layer.ignored, (Texts{"MaxPostpones=11: 0～10 の数ではありません",
                                    "MinimumCountdown=14: 15～120 の数ではありません",
                                    "AllowUserBookings=yes: 整数ではありません",
                                    "DeferWhileBusy=2: 0～1 の数ではありません",
                                    "MaxDeferMinutes=241: 1～240 の数ではありません",
                                    "Shutdown=1: この名前の設定はありません",
                                    "first=logoff --at 1:00 --daily: 名前は 1 からの番号です",
                                    "01=standby --at 2:00 --daily: 同じ番号がほかにもあります",
                                    "[policy]" + outside, "AllowCancel=1" + outside,
                                    "[Policy" + outside, "MaxPostpones=1" + outside}))
        << "a second section and one left unclosed are said, not read";
    EXPECT_FALSE(parsePolicyFile("[Policy]\nAllowCancel=0\n", "f").bookings) << "no list given";
    const Policy guard = mergePolicy(
        {parsePolicyFile("[Policy]\nDeferWhileBusy=0\nMaxDeferMinutes=240\nAllowUserCommand=0\n"
                         "PreActionCommand=/usr/local/sbin/site-hook \"last user\" 7\n",
                         "f")});
    EXPECT_EQ(guard.deferWhileBusy.value, false) << "off, overruling a user who turned it on";
    EXPECT_EQ(guard.maxDeferMinutes.value, 240);
    EXPECT_EQ(guard.preActionCommand.value, "/usr/local/sbin/site-hook \"last user\" 7")
        << "a text, as it stands";
    EXPECT_FALSE(guard.allowUserCommand.value);
    EXPECT_TRUE(guard.inForce());
    PolicyLayer registry;
    EXPECT_EQ(setPolicyValue(registry, "PreActionCommand", 1), "コマンドは文字列で書きます");
}

TEST(Policy, BookingsAreTheCommandLinesWithADateOrAPeriod) {
    const PolicyBookings bookings = compilePolicyBookings(
        numbered({"poweroff --at 22:00 --weekly 月～金", "reboot\u3000--at 3:05 --daily",
                  "logoff --at 9:00 --date 2026/12/24", "standby --at 9:00 --date 2026/12/01",
                  "standby --in 2h", "poweroff --at 22:00", "poweroff --at 1:00 --daily --list",
                  "poweroff --at 25:00 --daily"}),
        at(2026, 12, 7, 12, 0, 0));
    ASSERT_EQ(bookings.count, 3);
    const auto row = [&](int r) {
        std::string text;
        for (int c = DateCell; c <= StateCell; ++c)
            text += bookings.table.cell(c, r) + "|";
        return text;
    };
    EXPECT_EQ(row(1), "毎週月～金|午後|10時|00分|終了|稼働|");
    EXPECT_EQ(row(2), "毎日|午前|３時|05分|再起動|稼働|") << "an ideographic space separates";
    EXPECT_EQ(row(3), "2026/12/24|午前|９時|00分|ログオフ|稼働|");
    ASSERT_EQ(bookings.ignored.size(), 5u);
    EXPECT_EQ(bookings.ignored[0],
              "4=standby --at 9:00 --date 2026/12/01: その時刻はもう過ぎています: 2026/12/01")
        << "each by the name it was given";
    const std::string fireAnew =
        ": --daily、--weekly か --date が要ります(起動のたびに新しく動く予約は使えません)";
    EXPECT_EQ(bookings.ignored[1], "5=standby --in 2h" + fireAnew);
    EXPECT_EQ(bookings.ignored[2], "6=poweroff --at 22:00" + fireAnew);
    EXPECT_EQ(bookings.ignored[3].substr(0, 37), "7=poweroff --at 1:00 --daily --list: ")
        << "one command only";
    EXPECT_EQ(bookings.ignored[4],
              "8=poweroff --at 25:00 --daily: --at は H:MM の形(0:00～23:59)です: 25:00");

    std::vector<PolicyEntry> many;
    for (int number = 1; number <= 31; ++number)
        many.push_back({number, "poweroff --at 1:00 --daily"});
    const PolicyBookings full = compilePolicyBookings(many, at(2026, 12, 7, 12, 0, 0));
    EXPECT_EQ(full.count, kLastReservation);
    EXPECT_EQ(full.ignored, Texts{"31=poweroff --at 1:00 --daily: 30 件を超えています"});

    const PolicyBookings offered =
        compilePolicyBookings(numbered({"display-off --at 1:00 --daily", "lock --at 1:00 --daily"}),
                              at(2026, 12, 7, 12, 0, 0), [](PowerAction action) {
                                  return action == PowerAction::DisplayOff
                                             ? std::optional<std::string>("no DPMS")
                                             : std::nullopt;
                              });
    EXPECT_EQ(offered.count, 1);
    EXPECT_EQ(offered.ignored, Texts{"1=display-off --at 1:00 --daily: no DPMS"})
        << "an action the session has no way to carry out";
}

TEST(Policy, PostponementsAreCountedPerMomentAndOutliveARefresh) {
    PolicyInForce inForce;
    PolicyLayer layer{
        .place = "HKLM", .maxPostpones = 2, .bookings = numbered({"poweroff --at 22:00 --daily"})};
    const LocalTime now = at(2026, 12, 7, 12, 0, 0);
    EXPECT_TRUE(inForce.apply({layer}, now).bookingsChanged);
    EXPECT_EQ(inForce.limitsFor(1), (CountdownLimits{true, true, 0}));
    const int first = inForce.postpone(1, at(2026, 12, 7, 22, 10, 0));
    const int second = inForce.postpone(first, at(2026, 12, 7, 22, 20, 0));
    EXPECT_EQ(std::vector({first, second}), std::vector({2, 3}));
    EXPECT_TRUE(inForce.limitsFor(first).postponeAllowed);
    EXPECT_FALSE(inForce.limitsFor(second).postponeAllowed) << "two postponements of one moment";
    EXPECT_TRUE(inForce.limitsFor(1).postponeAllowed) << "the next day's moment starts afresh";

    // Named 2 and 5 by the administrator: so they are named wherever they show.
    layer.bookings =
        std::vector<PolicyEntry>{{2, "reboot --at 3:00 --daily"}, {5, "logoff --at 4:00 --daily"}};
    layer.allowCancel = false;
    const PolicyInForce::Change change = inForce.apply({layer}, now);
    EXPECT_TRUE(change.bookingsChanged);
    EXPECT_EQ(inForce.bookingCount(), 2);
    EXPECT_EQ(inForce.table().cell(MinuteCell, 3) + inForce.table().cell(ActionCell, 3), "10分終了")
        << "the postponements follow the new list";
    EXPECT_EQ(inForce.table().cell(MinuteCell, 4), "20分");
    EXPECT_EQ(inForce.limitsFor(4), (CountdownLimits{false, false, 0}));
    EXPECT_FALSE(inForce.apply({layer}, now).bookingsChanged) << "a limit changed, not the list";
    EXPECT_EQ(inForce.rowInHistory(2), "管理者の予約5 毎日 午前４時00分 ログオフ");
    EXPECT_EQ(inForce.rowInHistory(3), "管理者の予約1 2026/12/07 午後10時10分 終了")
        << "a postponement keeps its booking's name";
    EXPECT_NE(inForce.report().find("Bookings: 2 件 (HKLM)\n  2=reboot --at 3:00 --daily\n"
                                    "  5=logoff --at 4:00 --daily\n"),
              std::string::npos);

    // Across a restart: the postponements as kept, a line that is no one-time booking left out.
    const std::string kept = inForce.postponementsText();
    EXPECT_EQ(kept, "2026/12/07\t午後\t10時\t10分\t終了\t稼働\t1\t1\n"
                    "2026/12/07\t午後\t10時\t20分\t終了\t稼働\t2\t1\n");
    PolicyInForce restarted;
    restarted.apply({layer}, now);
    restarted.restorePostponements(kept + "毎日\t午後\t１０時\t30分\t終了\t稼働\t1\t1\nbroken\n");
    EXPECT_EQ(restarted.postponementsText(), kept);
    EXPECT_EQ(restarted.limitsFor(4), (CountdownLimits{false, false, 0})) << "the count kept";
}
