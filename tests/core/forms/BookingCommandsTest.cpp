#include "core/forms/BookingCommands.h"

#include "core/files/ReservationFile.h"
#include "core/forms/SelectorItems.h"
#include "core/lang/Language.h"
#include "core/text/Cp932.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeWindowControls.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>
#include <vector>

using namespace core;
using testing_support::at;
using Texts = std::vector<std::string>;

namespace {

struct Rig {
    explicit Rig(std::initializer_list<std::string> rows = {}) {
        std::string text;
        for (const auto& r : rows)
            text += r + "\r\n";
        files.files["SetTimeData.txt"] = encodeCp932(text);
        loadReservations(files, "SetTimeData.txt", table);
    }
    std::string row(int n) const {
        std::string line;
        for (int c = 1; c <= 6; ++c)
            line += table.cell(c, n) + (c < 6 ? "," : "");
        return line;
    }
    // Row n as the file now holds it.
    std::string fileLine(int n) {
        ReservationTable written;
        decodeReservationFile(files.files["SetTimeData.txt"], written);
        std::string line;
        for (int c = 1; c <= 6; ++c)
            line += written.cell(c, n) + (c < 6 ? "," : "");
        return line;
    }

    ReservationTable table;
    testing_support::FakeClock clock{at(2026, 12, 7, 9, 0, 0)};
    testing_support::FakePrompter prompter;
    testing_support::MemoryFileStore files;
    testing_support::FakeWindowControls controls;
    TableEditor editor{table, [this](const ReservationTable& written) {
                           saveReservations(files, "SetTimeData.txt", written);
                       }};
    // The window's values as its fields hold them when a command runs.
    MainWindowValues values;
    BookingCommands commands{editor, clock, prompter, values, controls};
    void run(void (BookingCommands::*command)()) {
        values = controls.read();
        (commands.*command)();
    }
};

} // namespace

TEST(BookingCommands, BookingsOfEveryKindOnAFreeRow) {
    Rig rig;
    rig.controls.row = 4;
    rig.controls.kind = BookingKind::Weekly;
    rig.controls.selected = {{Selector::Weekdays, "月～金"},
                             {Selector::Period, "午後"},
                             {Selector::Hour, "10時"},
                             {Selector::Minute, "30分"},
                             {Selector::Action, "終了"}};
    rig.run(&BookingCommands::Button2Click);
    EXPECT_TRUE(rig.prompter.questions.empty());
    EXPECT_EQ(rig.fileLine(4), "毎週月～金,午後,10時,30分,終了,稼働");

    rig.controls.row = 1;
    rig.controls.kind = BookingKind::Once;
    rig.controls.calendar = LocalDays{std::chrono::year{2026} / 12 / 24};
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.row(1), "2026/12/24,午後,10時,30分,終了,稼働");
    rig.controls.row = 2;
    rig.controls.kind = BookingKind::Daily;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.fileLine(2), "毎日,午後,10時,30分,終了,稼働");
    EXPECT_EQ(rig.controls.confirmed.back(), "予約しました。予約２: 毎日 午後 10時 30分 終了 稼働")
        << "a booking made is said";
}

TEST(BookingCommands, OccupiedRowAsksOnlyOnTheBookingTabs) {
    Rig rig({"毎日,午前,７時,00分,終了,停止"});
    rig.controls.kind = BookingKind::Daily;
    rig.controls.selected[Selector::Period] = "午後";
    rig.controls.selected[Selector::Hour] = "１時";
    rig.controls.selected[Selector::Minute] = "05分";
    rig.prompter.answer = false;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.prompter.questions, Texts{"予約が削除されます。いいですか。"});
    EXPECT_EQ(rig.row(1), "毎日,午前,７時,00分,終了,停止") << "no changes nothing";
    EXPECT_EQ(rig.files.saves, 1) << "but saves";

    rig.prompter.answer = true;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.row(1), "毎日,午後,１時,05分,終了,停止") << "booked anew, still stopped";
    rig.controls.tab = kElapsedTab;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.row(1), "2026/12/07,午前,９時,31分,終了,稼働") << "from now: made active";

    rig.prompter.questions.clear();
    rig.controls.tab = 2;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_TRUE(rig.prompter.questions.empty()) << "the CPU tab books nothing";
    EXPECT_EQ(rig.files.saves, 4);

    Rig emptied({"2026/12/07,午前,８時,59分,終了,停止"});
    emptied.controls.kind = BookingKind::Daily;
    emptied.controls.selected = rig.controls.selected;
    emptied.prompter.whileOpen = [&] { emptied.table.clearRow(1); }; // expired during the question
    emptied.run(&BookingCommands::Button2Click);
    EXPECT_EQ(emptied.row(1), "毎日,午後,１時,05分,終了,稼働")
        << "decided after the answer: a free row";

    Rig noPeriod({"毎日,,７時,00分,終了,停止"});
    noPeriod.controls.kind = BookingKind::Daily;
    noPeriod.controls.selected = rig.controls.selected;
    noPeriod.run(&BookingCommands::Button2Click);
    EXPECT_TRUE(noPeriod.prompter.questions.empty());
    EXPECT_EQ(noPeriod.row(1), "毎日,午後,１時,05分,終了,稼働") << "a free row is made active";
}

// Each refused before the question whether to replace the row, which is kept as it was.
TEST(BookingCommands, RefusedBookings) {
    Rig rig({"毎日,午前,７時,00分,終了,停止"});
    rig.controls.selected.erase(Selector::Action);
    rig.run(&BookingCommands::Button2Click);
    rig.controls.selected = {{Selector::Action, "終了"}};
    rig.run(&BookingCommands::Button2Click); // typed text picks no item
    rig.controls.selected[Selector::Period] = "午前";
    rig.controls.selected[Selector::Hour] = "８時";
    rig.run(&BookingCommands::Button2Click);
    rig.controls.selected[Selector::Minute] = "59分";
    rig.run(&BookingCommands::Button2Click); // 08:59 today, a minute ago
    rig.controls.kind = BookingKind::Weekly;
    rig.run(&BookingCommands::Button2Click);
    rig.controls.tab = kElapsedTab;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.prompter.informed,
              (Texts{"動作が選択されていません。動作を選択して下さい。",
                     "午前・午後が選択されていません。選択して下さい。",
                     "分が選択されていません。選択して下さい。",
                     "2026/12/07 8:59 は過ぎています。これから先の日時を選択して下さい。",
                     "曜日が選択されていません。選択して下さい。",
                     "分後予約が選択されていません。選択して下さい。"}));
    EXPECT_TRUE(rig.prompter.questions.empty() && rig.prompter.errors.empty());
    EXPECT_EQ(rig.row(1), "毎日,午前,７時,00分,終了,停止");
    EXPECT_EQ(rig.files.saves, 0);
    EXPECT_TRUE(rig.controls.confirmed.empty());

    rig.controls.tab = kTimeTab;
    rig.controls.kind = BookingKind::Once;
    rig.controls.selected[Selector::Hour] = "９時";
    rig.controls.selected[Selector::Minute] = "00分";
    rig.prompter.answer = true;
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.row(1), "2026/12/07,午前,９時,00分,終了,停止") << "the minute now still books";
}

TEST(BookingCommands, ElapsedBookingAcrossMidnightWithTheHoursClamped) {
    Rig rig;
    rig.clock.set(at(2026, 12, 7, 23, 50, 10));
    rig.controls.tab = kElapsedTab;
    rig.controls.selected[Selector::ElapsedMinutes] = "15";
    rig.controls.selected[Selector::Action] = "スタンバイ";
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.fileLine(1), "2026/12/08,午前,０時,06分,スタンバイ,稼働");
    rig.controls.hours = -5; // typed, not yet corrected
    rig.run(&BookingCommands::Button2Click);
    EXPECT_EQ(rig.row(1), "2026/12/08,午前,０時,06分,スタンバイ,稼働");
}

TEST(BookingCommands, ReEditOfEachKind) {
    Rig rig({"毎週土日,午後,２時,45分,再起動,稼働", "毎週,午前,１時,,,",
             "2026/12/24,午前,９時,05分,,", "2026-12-24,午後,,,,"});
    rig.controls.tab = 2;
    rig.controls.calendar = LocalDays{std::chrono::year{2026} / 1 / 1};
    rig.run(&BookingCommands::StringGrid1DblClick);
    EXPECT_EQ(rig.controls.tab, kTimeTab);
    EXPECT_EQ(rig.controls.kind, BookingKind::Weekly);
    EXPECT_EQ(rig.controls.selected[Selector::Weekdays], "土日");
    EXPECT_EQ(rig.controls.calendar, LocalDays{std::chrono::year{2026} / 12 / 7});
    EXPECT_EQ(rig.controls.selected[Selector::Hour], "２時");
    EXPECT_EQ(rig.controls.selected[Selector::Action], "再起動");

    rig.controls.row = 2;
    rig.run(&BookingCommands::StringGrid1DblClick);
    EXPECT_EQ(rig.controls.selected[Selector::Weekdays], "土日") << "\"毎週\" alone keeps it";
    EXPECT_EQ(rig.controls.selected[Selector::Minute], "45分") << "an empty cell keeps it";

    rig.controls.row = 3;
    rig.run(&BookingCommands::StringGrid1DblClick);
    EXPECT_EQ(rig.controls.kind, BookingKind::Once);
    EXPECT_EQ(rig.controls.calendar, LocalDays{std::chrono::year{2026} / 12 / 24});

    rig.controls.row = 4;
    rig.run(&BookingCommands::StringGrid1DblClick);
    EXPECT_EQ(rig.prompter.errors, Texts{"'2026-12-24' は日付ではありません"});
    EXPECT_EQ(rig.controls.selected[Selector::Period], "午前") << "stopped before the selectors";

    rig.controls.row = 5;
    rig.controls.kind = BookingKind::Daily;
    rig.run(&BookingCommands::StringGrid1DblClick);
    EXPECT_EQ(rig.controls.kind, BookingKind::Once);
    EXPECT_EQ(rig.prompter.informed,
              Texts{"予約されていません。予約されている行でダブルクリックして下さい。"});
    EXPECT_EQ(rig.files.saves, 0) << "a re-edit writes nothing";
}

TEST(BookingCommands, RowMenuStopsAndReactivatesOnlyCompleteRows) {
    Rig rig({"毎日,午前,７時,00分,,稼働", "毎日,午前,８時,00分,終了,稼働"});
    rig.run(&BookingCommands::N6Click);
    EXPECT_EQ(rig.files.saves, 0);
    rig.controls.row = 2;
    rig.run(&BookingCommands::N6Click);
    EXPECT_EQ(rig.fileLine(2), "毎日,午前,８時,00分,終了,停止");
    rig.run(&BookingCommands::N7Click);
    EXPECT_EQ(rig.fileLine(2), "毎日,午前,８時,00分,終了,稼働");
    rig.run(&BookingCommands::Delete1Click);
    EXPECT_EQ(rig.fileLine(2), ",,,,,");
    rig.controls.row = 0;
    rig.run(&BookingCommands::Delete1Click);
    EXPECT_EQ(rig.files.saves, 3) << "no row selected, nothing done";
}

// The selectors show the words in the language in use; the table and its file keep the stored
// words, byte for byte as under the source language.
TEST(BookingCommands, EnglishSelectorsBookAndReEditTheStoredWords) {
    const auto bookAndFile = [](const Catalogue* catalogue) {
        const LanguageScope language(catalogue);
        Rig rig;
        rig.controls.kind = BookingKind::Weekly;
        rig.controls.selectIndex(Selector::Weekdays, 7);
        rig.controls.selectIndex(Selector::Period, 1);
        rig.controls.selectIndex(Selector::Hour, 3);
        rig.controls.selectIndex(Selector::Minute, 5);
        rig.controls.selectIndex(Selector::Action, 3);
        rig.run(&BookingCommands::Button2Click);
        for (const Selector s : {Selector::Weekdays, Selector::Period, Selector::Hour,
                                 Selector::Minute, Selector::Action})
            rig.controls.selectIndex(s, -1);
        rig.run(&BookingCommands::StringGrid1DblClick);
        const std::vector<int> reEdited{
            rig.controls.itemIndex(Selector::Weekdays), rig.controls.itemIndex(Selector::Period),
            rig.controls.itemIndex(Selector::Hour), rig.controls.itemIndex(Selector::Minute),
            rig.controls.itemIndex(Selector::Action)};
        EXPECT_EQ(reEdited, (std::vector<int>{7, 1, 3, 5, 3}));
        return rig.files.files["SetTimeData.txt"];
    };
    const std::string english = bookAndFile(catalogueFor("en"));
    EXPECT_EQ(english, bookAndFile(nullptr));
    EXPECT_TRUE(decodeCp932(english).starts_with("毎週月～金,午後,３時,05分,強制再起,稼働\r\n"));

    const LanguageScope language(catalogueFor("en"));
    EXPECT_EQ(shownSelectorItems(Selector::Weekdays).at(7), "Mon-Fri");
    EXPECT_EQ(shownSelectorItems(Selector::Period).at(1), "PM");
    EXPECT_EQ(shownSelectorItems(Selector::Hour).at(3), "3 h");
    EXPECT_EQ(shownSelectorItems(Selector::Minute).at(5), "05 min");
    EXPECT_EQ(shownSelectorItems(Selector::Action).at(3), "Forced reboot");
    EXPECT_EQ(selectorItems(Selector::Hour).at(3), "３時");
}
