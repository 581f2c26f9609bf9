#include "core/schedule/JobWatch.h"

#include "core/net/ProcNetDev.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeInputIdle.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/FakeProcesses.h"

#include <gtest/gtest.h>

using namespace core;
using std::chrono::seconds;
using testing_support::at;

TEST(NetworkCounters, ProcNetDevAndCountersThatGoBack) {
    const auto parsed = parseProcNetDev(
        "Inter-|   Receive                                                |  Transmit\n"
        " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs "
        "drop fifo colls carrier compressed\n"
        "    lo: 9000 10 0 0 0 0 0 0 9000 10 0 0 0 0 0 0\n"
        "  eth0: 1234567 100 0 0 0 0 0 0 7654321 90 0 0 0 0 0 0\n"
        "wlp2s0:18446744073709551615 1 0 0 0 0 0 0 5 1 0 0 0 0 0 0\n");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, (std::vector<InterfaceTraffic>{{"eth0", 1234567, 7654321},
                                                      {"wlp2s0", 18446744073709551615ULL, 5}}))
        << "loopback left out; a name the numbers follow without a space";
    EXPECT_FALSE(parseProcNetDev("a\nb\n  eth0: 12 x\n").has_value());
    EXPECT_FALSE(parseProcNetDev("a\nb\n  eth0 12 0 0 0 0 0 0 0 5\n").has_value());

    EXPECT_EQ(counterAdvance(100, 350), 250U);
    EXPECT_EQ(counterAdvance(4294967000ULL, 200), 496U) << "a 32-bit counter wrapped";
    EXPECT_EQ(counterAdvance(5000, 200), 200U) << "a counter reset: the bytes since";
    EXPECT_EQ(counterAdvance(1ULL << 40, 10), 10U) << "a 64-bit counter never wraps: reset";
}

TEST(NetworkCounters, QuietForTheMinutesOnlyAfterEveryIntervalStayedBelow) {
    QuietNetwork quiet(50, 1); // 51,200 bytes a second
    LocalTime now = at(2026, 12, 7, 12, 0, 0);
    std::uint64_t total = 1'000'000;
    const auto reading = [&](std::uint64_t bytesPerSecond, seconds after = seconds(5)) {
        now += after;
        total += bytesPerSecond * static_cast<std::uint64_t>(after.count());
        return quiet.sample(now, std::vector<InterfaceTraffic>{{"eth0", total, 0}});
    };
    EXPECT_FALSE(reading(0)) << "the first reading only takes the baseline";
    for (int i = 0; i < 11; ++i)
        EXPECT_FALSE(reading(51'200)) << "at the rate counts as quiet, but not a minute yet";
    EXPECT_TRUE(reading(0)) << "a minute after the baseline";
    EXPECT_EQ(quiet.lastRate(), 0U);

    EXPECT_FALSE(reading(51'201)) << "one busy interval starts the count again";
    for (int i = 0; i < 11; ++i)
        EXPECT_FALSE(reading(100));
    EXPECT_TRUE(reading(100));

    EXPECT_FALSE(reading(0, seconds(600))) << "a gap of a sleep says nothing of the traffic";
    EXPECT_FALSE(quiet.lastRate().has_value());
    now += seconds(5);
    EXPECT_FALSE(quiet.sample(now, std::nullopt)) << "a reading that failed";

    QuietNetwork interfaces(1, 1);
    now = at(2026, 12, 7, 13, 0, 0);
    interfaces.sample(now, std::vector<InterfaceTraffic>{{"eth0", 4294967000ULL, 0}});
    now += seconds(5);
    interfaces.sample(now,
                      std::vector<InterfaceTraffic>{{"eth0", 200, 0}, {"tun0", 1ULL << 50, 0}});
    EXPECT_EQ(interfaces.lastRate(), 99U) << "wrapped: 496 bytes in 5 s; a new interface not yet";
}

namespace {

// A watch over fake processes, counters and idle time, at noon.
struct Watch : testing::Test {
    testing_support::FakeProcesses processes;
    testing_support::FakeNetwork network;
    testing_support::FakeInputIdle input;
    JobWatch watch{processes, network, input};
    LocalTime now = at(2026, 12, 7, 12, 0, 0);
    int fired = 0;
};

} // namespace

TEST_F(Watch, FiresOnceEveryConditionHoldsTogether) {
    EXPECT_EQ(watch.start({}, now, [&] { ++fired; }), "条件を選んでください。");
    network.counters.reset();
    EXPECT_EQ(watch.start({{}, NetworkLimit{50, 1}}, now, [&] { ++fired; }),
              "通信量を読めません。");

    network.total(0);
    processes.running = {"render"};
    ASSERT_EQ(watch.start({{"render"}, NetworkLimit{50, 1}}, now, [&] { ++fired; }), std::nullopt);
    EXPECT_TRUE(watch.samples());
    EXPECT_EQ(watch.conditionsText(), "render が終了、通信量 50 KB/秒以下で 1 分経過");
    for (int i = 0; i < 13; ++i) {
        now += seconds(5);
        watch.tick(now);
    }
    EXPECT_EQ(fired, 0) << "quiet a minute, but the program runs";
    processes.end("render");
    EXPECT_EQ(fired, 1) << "the program's end completes it";
    now += seconds(5);
    watch.tick(now);
    EXPECT_EQ(fired, 1) << "once";

    processes.running = {"render"};
    ASSERT_EQ(watch.start({{"render"}, NetworkLimit{50, 1}}, now, [&] { ++fired; }), std::nullopt);
    processes.end("render");
    now += seconds(2);
    watch.tick(now);
    now += seconds(1);
    watch.tick(now);
    EXPECT_EQ(fired, 1) << "ended, but no minute of quiet yet; ticks between readings read nothing";
    for (int i = 0; i < 12; ++i) {
        now += seconds(5);
        network.total(static_cast<std::uint64_t>(i) * 1000);
        watch.tick(now);
    }
    EXPECT_EQ(fired, 2);

    processes.running = {"render"};
    ASSERT_EQ(watch.start({{"render", "rendr"}, std::nullopt}, now, [&] { ++fired; }),
              "そのプログラムは動いていません。");
    EXPECT_FALSE(watch.samples());
    EXPECT_TRUE(processes.waits.empty());
}

TEST_F(Watch, NobodyAtTheKeyboardForTheMinutesAtTheSameReadings) {
    const auto fire = [&] { ++fired; };
    const std::string untold = "このセッションは、操作のない時間を教えません。";
    input.idle = untold;
    EXPECT_EQ(watch.start({{}, std::nullopt, 30}, now, fire), untold);
    EXPECT_FALSE(watch.samples()) << "refused: nothing read";

    input.idle = std::chrono::minutes(31);
    processes.running = {"render"};
    ASSERT_EQ(watch.start({{"render"}, std::nullopt, 30}, now, fire), std::nullopt);
    EXPECT_TRUE(watch.samples());
    EXPECT_EQ(watch.conditionsText(), "render が終了、操作なしで 30 分経過");
    processes.end("render");
    EXPECT_EQ(fired, 0) << "idle long enough, but not read at a reading yet";
    const auto reading = [&](std::variant<std::chrono::milliseconds, std::string> idle) {
        now += seconds(5);
        input.idle = std::move(idle);
        watch.tick(now);
    };
    reading(std::chrono::seconds(3));
    reading(untold);
    EXPECT_EQ(fired, 0) << "touched; then a session that stopped telling is not idle";
    reading(std::chrono::minutes(29) + seconds(59));
    EXPECT_EQ(fired, 0);
    reading(std::chrono::minutes(30));
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(watch.conditionsText(), "render が終了、操作なしで 30 分経過")
        << "kept for its history";
}
