#include "core/files/ReservationFile.h"

#include "core/text/CommaText.h"
#include "core/text/Cp932.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>
#include <optional>

using namespace core;
using Fields = std::vector<std::string>;

namespace {

std::string emptyFile() {
    std::string bytes;
    for (int i = 0; i < 30; ++i)
        bytes += ",,,,,\r\n";
    return bytes;
}

ReservationTable loaded(std::string_view bytes) {
    ReservationTable table;
    decodeReservationFile(bytes, table);
    return table;
}

} // namespace

TEST(ReservationFile, EmptyTableIsThirtyLinesOfFiveCommas) {
    EXPECT_EQ(encodeReservationFile(ReservationTable{}), emptyFile());
    ReservationTable table = loaded(emptyFile());
    for (int r = 1; r <= 30; ++r)
        EXPECT_FALSE(table.isOccupied(r));
}

TEST(ReservationFile, LoadFillsRowsByLine) {
    std::string bytes = encodeCp932("毎週月～金,午後,10時,30分,終了,稼働\r\n"
                                    "毎日,午前,７時,00分,終了\r\n"
                                    "2007/10/11, 午前 ,９時 05分,再起動\r\n"
                                    "\r\n"
                                    "\r\n"
                                    "a,b,c,d,e,f,g,h\n"
                                    "x,y");
    ReservationTable table = loaded(bytes);
    EXPECT_EQ(table.cell(DateCell, 1), "毎週月～金");
    EXPECT_EQ(table.cell(StateCell, 1), "稼働");
    EXPECT_EQ(table.cell(ActionCell, 2), "終了");
    EXPECT_EQ(table.cell(StateCell, 2), "") << "five fields leave the state empty";
    EXPECT_EQ(table.cell(PeriodCell, 3), "午前") << "blanks round a comma split nothing";
    EXPECT_EQ(table.cell(HourCell, 3), "９時");
    EXPECT_EQ(table.cell(MinuteCell, 3), "05分") << "the space split the field";
    EXPECT_EQ(table.cell(ActionCell, 3), "再起動");
    EXPECT_FALSE(table.isOccupied(4));
    EXPECT_EQ(table.cell(StateCell, 6), "f") << "a bare LF ends a line too; extra fields go";
    EXPECT_EQ(table.cell(PeriodCell, 7), "y") << "the last line needs no line end";
}

TEST(ReservationFile, EmptyLineLeavesRowAloneButCounts) {
    ReservationTable table;
    table.setCell(DateCell, 5, "kept");
    decodeReservationFile(encodeCp932(",,,,,\r\n,,,,,\r\n,,,,,\r\n,,,,,\r\n\r\n毎日"), table);
    EXPECT_EQ(table.cell(DateCell, 5), "kept");
    EXPECT_EQ(table.cell(DateCell, 6), "毎日");
}

TEST(ReservationFile, LinesAfterTheThirtiethAreIgnored) {
    std::string bytes = emptyFile() + "毎日,午前,７時,00分,終了,稼働\r\n";
    ReservationTable table = loaded(bytes);
    EXPECT_EQ(encodeReservationFile(table), emptyFile());
}

TEST(ReservationFile, WrittenFileSurvivesLoadAndSaveByteForByte) {
    ReservationTable table;
    auto book = [&](int row, std::initializer_list<const char*> cells) {
        int c = 1;
        for (const char* text : cells)
            table.setCell(c++, row, text);
    };
    book(1, {"毎週月～金", "午後", "10時", "30分", "終了", "稼働"});
    book(2, {"2007/10/11", "午前", "９時", "05分", "再起動", "停止"});
    book(30, {"毎週土日", "午前", "０時", "59分", "休止状態", "稼働"});
    std::string first = encodeReservationFile(table);
    EXPECT_NE(first.find("\x96\x88\x8F\x54\x8C\x8E\x81\x60\x8B\xE0,"), std::string::npos);
    EXPECT_EQ(first.substr(0, 3), "\x96\x88\x8F") << "no byte-order mark";
    EXPECT_EQ(encodeReservationFile(loaded(first)), first);

    const std::string rest = emptyFile().substr(14);
    EXPECT_EQ(encodeReservationFile(loaded("\x81\n\xFF,\xA0,,,,\r\n" + rest)),
              "\x81,,,,,\r\n\xFF,\xA0,,,,\r\n" + rest)
        << "undecodable bytes are written back unchanged";
}

TEST(ReservationFile, HandEditedCellsWithBlanksOrQuotesSurviveASave) {
    const std::string bytes = "\"a \"\"b\"\"\",\"x,y\",\" \",,\"\"\"\",z\r\n";
    ReservationTable table = loaded(bytes);
    EXPECT_EQ(table.cell(DateCell, 1), "a \"b\"");
    EXPECT_EQ(table.cell(PeriodCell, 1), "x,y");
    EXPECT_EQ(table.cell(HourCell, 1), " ");
    EXPECT_EQ(table.cell(ActionCell, 1), "\"");
    const std::string saved = encodeReservationFile(table);
    EXPECT_EQ(saved.substr(0, saved.find("\r\n") + 2), bytes);
    EXPECT_EQ(encodeReservationFile(loaded(saved)), saved);
    EXPECT_EQ(quoteCommaTextField("毎週月～金"), "毎週月～金");
    EXPECT_EQ(quoteCommaTextField(""), "");
}

TEST(ReservationFile, StoreFailuresAreSilentOnLoadAndRaisedOnSave) {
    testing_support::MemoryFileStore store;
    ReservationTable table;
    loadReservations(store, "missing.txt", table);
    EXPECT_FALSE(table.isOccupied(1));

    table.setCell(PeriodCell, 1, "午前");
    saveReservations(store, "SetTimeData.txt", table);
    EXPECT_EQ(store.files["SetTimeData.txt"].substr(0, 11), ",\x8C\xDF\x91\x4F,,,,\r\n");

    store.refuseWrites = true;
    EXPECT_THROW(saveReservations(store, "SetTimeData.txt", table), std::system_error);
    EXPECT_EQ(table.cell(PeriodCell, 1), "午前");
}

TEST(ReservationFile, HandEditedUtf8AndUnpaddedDatesReadAsMeant) {
    const std::string row =
        "2026/12/8,午後,９時,05分,終了,稼働\r\n毎日,午前,７時,00分,終了,稼働\r\n";
    const std::string canonical =
        encodeCp932("2026/12/08,午後,９時,05分,終了,稼働\r\n毎日,午前,７時,00分,終了,稼働\r\n");
    for (const std::string& bytes : {"\xEF\xBB\xBF" + row, row, encodeCp932(row)}) {
        ReservationTable table = loaded(bytes);
        EXPECT_EQ(table.cell(DateCell, 1), "2026/12/08") << "padded as the program writes it";
        EXPECT_EQ(table.cell(HourCell, 1), "９時");
        EXPECT_EQ(table.cell(DateCell, 2), "毎日");
        EXPECT_EQ(encodeReservationFile(table).substr(0, canonical.size()), canonical)
            << "the next save writes code page 932";
    }
    EXPECT_EQ(loaded("2026/13/8,,,,,\r\n").cell(DateCell, 1), "2026/13/8")
        << "a date that is none stays as written";
    EXPECT_EQ(loaded("\xE9\x80\x8B,,,,,\r\n").cell(DateCell, 1), "逋")
        << "bytes valid in both count as UTF-8";
    EXPECT_EQ(loaded("\xEF\xBB\xBF" + encodeCp932(row)).cell(HourCell, 1), "９時")
        << "a mark before what is no UTF-8 is dropped, the rest is code page 932";
    EXPECT_FALSE(isNonAsciiUtf8("plain ASCII"));
    EXPECT_FALSE(isNonAsciiUtf8("\xC0\xAF")) << "overlong";
    EXPECT_FALSE(isNonAsciiUtf8("\xED\xA0\x80")) << "surrogate";
    EXPECT_FALSE(isNonAsciiUtf8("\xE6\x97")) << "cut off";
}
