#include "core/files/History.h"

#include "core/files/FilePlaces.h"
#include "core/files/LogEvents.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/RecordingLog.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace core;
using testing_support::at;

namespace {

const std::string kPath = "/home/u/.config/Brindlewhistmoore/Brindlewhistmoore-history.txt";

std::string numberedLines(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n)
        text += "line " + std::to_string(n) + "\n";
    return text;
}

using testing_support::RecordingLog;

} // namespace

TEST(History, OneLinePerEventBesideTheSettingsFile) {
    EXPECT_EQ(historyFilePlace("/opt/bwm/Brindlewhistmoore.ini"),
              "/opt/bwm/Brindlewhistmoore-history.txt");
    EXPECT_EQ(historyFilePlace("C:\\Users\\u\\AppData\\Roaming\\Brindlewhistmoore\\"
                               "Brindlewhistmoore.ini"),
              "C:\\Users\\u\\AppData\\Roaming\\Brindlewhistmoore\\Brindlewhistmoore-history.txt");

    testing_support::FakeClock clock(at(2026, 12, 9, 2, 0, 5, 900));
    testing_support::MemoryFileStore files;
    History history(files, kPath, clock);
    EXPECT_EQ(history.last(20), std::nullopt);
    history.record(history::kNotice,
                   "電源断予告: 15:00 にログオフします。\n15:00 に\t電源断します。");
    history.record(at(2026, 12, 10, 23, 59, 0), history::kRequest,
                   "電源断の要求が受け付けられました。");
    EXPECT_EQ(
        files.files[kPath],
        "\xEF\xBB\xBF" // a viewer of Windows takes the file for UTF-8 by this mark
        "2026/12/09 2:00:05\t予告\t電源断予告: 15:00 にログオフします。 15:00 に 電源断します。\n"
        "2026/12/10 23:59:00\t要求\t電源断の要求が受け付けられました。\n");
    EXPECT_EQ(history.last(1), "2026/12/10 23:59:00\t要求\t電源断の要求が受け付けられました。\n");
    EXPECT_TRUE(history.last(5)->starts_with("2026/12/09 2:00:05\t")) << "printed without the mark";
    EXPECT_EQ(history.takeFailure(), std::nullopt);
}

TEST(History, PastElevenHundredLinesTheLastThousandAreKeptInOneReplace) {
    testing_support::FakeClock clock(at(2026, 12, 9, 2, 0, 0));
    testing_support::MemoryFileStore files;
    files.files[kPath] = numberedLines(1, 1098);
    History history(files, kPath, clock);
    history.record("a", "1");
    history.record("b", "2");
    EXPECT_EQ(files.saves, 0) << "1100 lines stay";
    history.record("c", "3");
    EXPECT_EQ(files.saves, 1) << "written whole, as the other files are";
    const std::string& text = files.files[kPath];
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1000);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFline 102\n"));
    EXPECT_TRUE(text.ends_with("\tc\t3\n"));
    for (int n = 0; n < 100; ++n)
        history.record("d", std::to_string(n));
    EXPECT_EQ(files.saves, 1) << "counted on from the thousand kept";
    history.record("e", "");
    EXPECT_EQ(files.saves, 2);

    EXPECT_EQ(lastHistoryLines(files, kPath, 2),
              "2026/12/09 2:00:00\td\t99\n2026/12/09 2:00:00\te\t\n");

    // Another copy sharing the file adds a line while this one cuts it back: the line stays.
    files.files[kPath] = numberedLines(1, 1100);
    int reads = 0;
    files.beforeRead = [&] {
        if (++reads == 3)
            files.files[kPath] += "other copy\n";
    };
    history.record("f", "");
    files.beforeRead = nullptr;
    EXPECT_TRUE(files.files[kPath].ends_with("\tf\t\nother copy\n"));
    // A last line left unended (edited by hand, cut by a crash) is ended, not glued to.
    files.files[kPath] = "edited by hand";
    history.record("g", "");
    EXPECT_EQ(files.files[kPath], "edited by hand\n2026/12/09 2:00:00\tg\t\n");
    // Deleted while the program runs, it comes back with its mark.
    files.files.erase(kPath);
    history.record("h", "");
    EXPECT_TRUE(files.files[kPath].starts_with("\xEF\xBB\xBF"
                                               "2026/12/09 2:00:00\th\t\n"));

    // Past the 16 MiB read: the newest lines are read and kept, and the file stops growing.
    files.files[kPath] = std::string(17 * 1024 * 1024, 'x') + "\n" + numberedLines(1, 3);
    EXPECT_EQ(lastHistoryLines(files, kPath, 2), "line 2\nline 3\n");
    history.record("i", "");
    EXPECT_EQ(files.files[kPath],
              "\xEF\xBB\xBF" + numberedLines(1, 3) + "2026/12/09 2:00:00\ti\t\n")
        << "cut back to the newest lines, the cut one left out";
    files.files[kPath] = "one\ntwo";
    EXPECT_EQ(lastHistoryLines(files, kPath, 5), "one\ntwo\n");
}

TEST(History, AWriteRefusedIsToldOnceAndNothingElseStops) {
    testing_support::FakeClock clock(at(2026, 12, 9, 2, 0, 0));
    testing_support::MemoryFileStore files;
    files.refuseAppends = true;
    RecordingLog log;
    History history(files, kPath, clock, &log);
    history.record(history::kCountdown, "電源断: --now");
    history.record(history::kCancelled, "電源断: --cancel");
    ASSERT_EQ(log.entries.size(), 2U) << "the system's log gets each line the file refused";
    EXPECT_EQ(log.entries[0].messageId, "7f0fe14cc0994bd2b951cead057349e3");
    EXPECT_EQ(log.entries[0].eventId, 1);
    EXPECT_EQ(log.entries[0].priority, 5);
    EXPECT_EQ(log.entries[1].event + " " + log.entries[1].details, "キャンセル 電源断: --cancel");
    std::set<std::string_view> ids;
    std::set<int> eventIds;
    for (std::string_view event :
         {history::kCountdown, history::kCancelled, history::kPostponed, history::kRequest,
          history::kNotice, history::kMissed, history::kWatch, history::kWait, history::kCommand,
          history::kPolicy, history::kPreAction}) {
        ASSERT_TRUE(logEventOf(event)) << event;
        ids.insert(logEventOf(event)->messageId);
        eventIds.insert(logEventOf(event)->eventId);
    }
    EXPECT_EQ(ids.size() + eventIds.size(), 22U) << "every kind of event has ids of its own";
    const auto failure = history.takeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "履歴ファイルに書き込めません。予約と電源の操作には影響しません。\n" +
                            kPath + ": Read-only file system");
    files.refuseAppends = false;
    history.record(history::kCountdown, "電源断: --now");
    EXPECT_EQ(history.takeFailure(), std::nullopt) << "said once for the whole run";
    EXPECT_TRUE(files.files[kPath].starts_with("\xEF\xBB\xBF"
                                               "2026/12/09 2:00:00\t"))
        << "the first line that reached the file bears the mark";

    // A folder that takes no new file, around a file that can still grow.
    files.files[kPath] = numberedLines(1, 1100);
    files.refuseWrites = true;
    History full(files, kPath, clock);
    full.record(history::kCountdown, "電源断: --now");
    EXPECT_TRUE(full.takeFailure().has_value());
    EXPECT_TRUE(files.files[kPath].starts_with("line 1\n"));
    EXPECT_TRUE(files.files[kPath].ends_with("電源断: --now\n")) << "a cut not saved loses nothing";
}
