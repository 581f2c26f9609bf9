// What a screen reader is given to say: the grid's rows, the next booking, the countdown.
#include "core/forms/CountdownModel.h"
#include "core/forms/FormDesign.h"
#include "core/forms/GridCells.h"
#include "core/lang/Language.h"
#include "core/schedule/NextBooking.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace core;
using testing_support::at;

namespace {

void book(ReservationTable& table, int row, std::array<const char*, 6> cells) {
    for (int c = 0; c < 6; ++c)
        table.setCell(c + 1, row, cells[static_cast<std::size_t>(c)]);
}

class SaidControls : public CountdownControls {
public:
    void startTimer() override {}
    void stopTimer() override {}
    void showTexts(const std::string&, const std::string&) override {}
    void showHint(const std::string&) override {}
    void limitButtons(std::string_view, std::string_view) override {}
    void setProgressMaximum(int) override {}
    void setProgress(int) override {}
    void showSecondsLeft(const std::string& text) override { shownLeft = text; }
    void beep() override {}
    void announce(const std::string& text) override { said.push_back(text); }
    void describe(const std::string& text) override { description = text; }
    void hideDialog() override {}

    std::vector<std::string> said;
    std::string shownLeft;
    std::string description;
};

} // namespace

TEST(ReaderTexts, AGridRowIsSaidWholeWithItsShownLabel) {
    ReservationTable table;
    book(table, 3, {"毎日", "午後", "11時", "00分", "終了", "稼働"});
    book(table, 5, {"毎日", "午前", "", "", "", ""});
    EXPECT_EQ(rowSpeech(table, 3), "予約３: 毎日 午後 11時 00分 終了 稼働");
    EXPECT_EQ(rowSpeech(table, 4), "予約４: 空き");
    EXPECT_EQ(rowSpeech(table, 5), "予約５: 毎日 午前") << "a half-filled row says what it has";
    const LanguageScope english(catalogueFor("en"));
    EXPECT_EQ(rowSpeech(table, 3), "3: Daily PM 11 h 00 min Power off Active")
        << "the stored words in the language in use";
    EXPECT_EQ(rowSpeech(table, 4), "4: empty");
    book(table, 6, {"毎週月～金", "午後", "０時", "05分", "再起動", "停止"});
    book(table, 7, {"2026/12/24", "午前", "２５時", "5分", "Reboot", "?"});
    EXPECT_EQ(rowSpeech(table, 6), "6: Weekly Mon-Fri PM 12 h 05 min Reboot Stopped")
        << "noon is twelve";
    EXPECT_EQ(rowSpeech(table, 7), "7: 2026/12/24 AM ２５時 5分 Reboot ?")
        << "what is not of the vocabulary stays as written";
}

TEST(ReaderTexts, TheNextBookingIsTheEarliestActiveMomentWithinAWeek) {
    ReservationTable user;
    ReservationTable policy;
    const LocalTime morning = at(2026, 12, 7, 10, 0, 0); // a Monday
    EXPECT_EQ(nextBookingText({&policy, &user}, morning), std::nullopt);
    book(user, 2, {"毎日", "午後", "０時", "00分", "終了", "稼働"});
    book(user, 1, {"毎日", "午前", "11時", "00分", "再起動", "停止"});
    EXPECT_EQ(nextBookingText({&policy, &user}, morning), "次の予約: 12:00 電源断")
        << "a stopped row is passed over; the action by its countdown name";
    book(policy, 1, {"毎日", "午後", "０時", "00分", "強制再起", "稼働"});
    EXPECT_EQ(nextBookingText({&policy, &user}, morning), "次の予約: 12:00 強制再起動")
        << "at the same moment the administrator's comes first, as it fires first";
    EXPECT_EQ(nextBookingText({&user}, at(2026, 12, 7, 12, 0, 0)),
              "次の予約: 2026/12/08 12:00 電源断")
        << "a moment not today carries its date; the moment now has gone";
    ReservationTable weekly;
    book(weekly, 1, {"毎週土日", "午前", "９時", "30分", "ログオフ", "稼働"});
    EXPECT_EQ(nextBookingText({&weekly}, morning), "次の予約: 2026/12/12 9:30 ログオフ");
    const LanguageScope english(catalogueFor("en"));
    // Linux says "Log out", Windows "Log off": each build its own.
    EXPECT_EQ(nextBookingText({&weekly}, morning),
              "Next booking: 2026/12/12 9:30 " + tr("ログオフ"));
    EXPECT_TRUE(tr("ログオフ") == "Log out" || tr("ログオフ") == "Log off");
}

TEST(ReaderTexts, TheCountdownSaysItselfThenTheSecondsLeftAtFewPoints) {
    SharedState state;
    state.PendingAction = PowerAction::PowerOff;
    state.settings.ShutDownTime = "60";
    SaidControls controls;
    bool postponeRefused = true;
    int finished = 0;
    CountdownModel model(
        state, controls, [](CancelledBy) {},
        [&]() -> std::optional<std::string> {
            if (postponeRefused)
                return "予約の空きがありません。";
            return std::nullopt;
        },
        [&]() -> std::optional<std::string> {
            ++finished;
            return std::nullopt;
        });
    model.FormShow();
    ASSERT_EQ(controls.said.size(), 1u);
    EXPECT_EQ(controls.said[0], "電源断予告: 60秒後にPowerOffします "
                                "キャンセルする場合は、キャンセルボタンを押してください。 "
                                "Esc キーでキャンセル、Alt+L で10分延期")
        << "the buttons take no focus: the keys are named";
    EXPECT_EQ(controls.description, controls.said[0]) << "and given as the dialog's description";
    EXPECT_EQ(controls.shownLeft, "残り60秒");
    for (int second = 1; second < 60; ++second)
        model.Timer1Timer();
    EXPECT_EQ(controls.said,
              (std::vector<std::string>{controls.said[0], "残り30秒", "残り10秒", "残り5秒"}));
    EXPECT_EQ(controls.shownLeft, "残り1秒") << "the line itself shows every second";
    model.SpeedButton2Click();
    EXPECT_EQ(controls.said.back(), "予約の空きがありません。 "
                                    "キャンセルする場合は、キャンセルボタンを押してください。 "
                                    "Esc キーでキャンセル、Alt+L で10分延期")
        << "a refusal is said, not only shown, and how to cancel still holds";
    model.Timer1Timer();
    EXPECT_EQ(controls.said.size(), 5u) << "the last second ends the count, nothing more said";
    EXPECT_EQ(finished, 1) << "the main window is told, to ask for the action";

    // A policy's limits are part of what is said as it appears.
    SharedState limited;
    limited.PendingAction = PowerAction::LogOff;
    limited.Limits = {false, true, 0};
    SaidControls quiet;
    CountdownModel(
        limited, quiet, [](CancelledBy) {}, [] { return std::nullopt; },
        [] { return std::nullopt; })
        .FormShow();
    EXPECT_EQ(quiet.said.at(0), "ログオフ予告: 30秒後にログオフします "
                                "管理者の設定で、キャンセルできません。 Alt+L で10分延期");
    {
        const LanguageScope english(catalogueFor("en"));
        CountdownModel(
            limited, quiet, [](CancelledBy) {}, [] { return std::nullopt; },
            [] { return std::nullopt; })
            .FormShow();
    }
    EXPECT_TRUE(quiet.said.at(1).ends_with(" Alt+P to postpone 10 minutes"))
        << "the key the caption in use marks: " << quiet.said.at(1);
}

TEST(ReaderTexts, AccessKeysAreTheLetterAfterTheAmpersand) {
    EXPECT_EQ(design::accessKeyOf("予約する(&B)"), 'B');
    EXPECT_EQ(design::accessKeyOf("10 min &later"), 'L');
    EXPECT_EQ(design::accessKeyOf("設定"), 0);
    EXPECT_EQ(design::accessKeyOf("end&"), 0);
}
