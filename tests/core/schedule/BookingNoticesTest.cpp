#include "core/schedule/BookingNotices.h"

#include "core/schedule/NoticeQueue.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;

TEST(MissedNotice, LongListsAreCutToWhatTheSystemShows) {
    std::vector<MissedMoment> moments;
    for (int day = 1; day <= 20; ++day)
        moments.push_back({at(2026, 12, day, 12, 0, 0, 0), PowerAction::ForcedPowerOff});
    const Notice notice = missedNotice(kMissedWhileAsleep, moments);
    const std::string line = "2026/12/01 12:00 強制終了";
    EXPECT_EQ(notice.body.substr(0, line.size()), line);
    EXPECT_TRUE(notice.body.ends_with("\n他9件")) << notice.body;
    const std::u32string characters = [&] {
        std::u32string out;
        for (unsigned char c : notice.body)
            if ((c & 0xC0) != 0x80)
                out.push_back(c);
        return out;
    }();
    EXPECT_LE(characters.size(), kNoticeBodyLimit);
    EXPECT_GT(characters.size() + line.size(), kNoticeBodyLimit) << "no room for one more line";
}

TEST(NoticeQueue, EachNoticeHasItsTurnUnlessItsBookingCameMeanwhile) {
    NoticeQueue queue;
    const LocalTime noon = at(2026, 12, 7, 11, 55, 0, 0);
    EXPECT_EQ(queue.nextAt(), std::nullopt);
    queue.push({"起動前に予約の時刻が過ぎました", "2026/12/07 9:00 電源断", std::nullopt});
    queue.push({"ログオフ予告", "12:00 にログオフします。", at(2026, 12, 7, 12, 0, 0, 0)});
    queue.push(
        {"スタンバイ予告", "11:55 にスタンバイ状態にします。", noon + std::chrono::seconds(8)});
    EXPECT_EQ(queue.take(noon)->summary, "起動前に予約の時刻が過ぎました");
    EXPECT_EQ(queue.take(noon + std::chrono::seconds(5)), std::nullopt)
        << "the report is still shown";
    EXPECT_EQ(queue.nextAt(), noon + kNoticeShownFor);
    EXPECT_EQ(queue.take(noon + std::chrono::seconds(6))->summary, "ログオフ予告");
    EXPECT_EQ(queue.take(noon + std::chrono::seconds(12)), std::nullopt)
        << "its booking came while it waited";
    EXPECT_EQ(queue.nextAt(), std::nullopt);

    queue.push({"電源断予告", "12:00 に電源断します。", std::nullopt});
    EXPECT_TRUE(queue.take(noon - std::chrono::hours(1))) << "a clock set back frees the place";
}
