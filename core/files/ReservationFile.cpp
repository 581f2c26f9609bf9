#include "ReservationFile.h"

#include "core/text/CommaText.h"
#include "core/text/Cp932.h"
#include "core/text/DateTimeText.h"

namespace core {

std::string encodeReservationFile(const ReservationTable& table) {
    std::string text;
    for (int row = kFirstReservation; row <= kLastReservation; ++row) {
        for (int column = DateCell; column <= StateCell; ++column) {
            // Only a hand-edited cell can need quotes; without them it would not load back.
            text += quoteCommaTextField(table.cell(column, row));
            text += column < StateCell ? "," : "\r\n";
        }
    }
    return encodeCp932(text);
}

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string decodedText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        const std::string_view rest = bytes.substr(kUtf8ByteOrderMark.size());
        // A mark followed by what is no UTF-8 was put before code page 932 text.
        if (isAscii(rest) || isNonAsciiUtf8(rest))
            return std::string(rest);
        return decodeCp932(rest);
    }
    if (isNonAsciiUtf8(bytes))
        return std::string(bytes);
    return decodeCp932(bytes);
}

std::string paddedDate(std::string cell) {
    if (auto date = parseShortDate(cell))
        return formatShortDate(*date);
    return cell;
}

} // namespace

bool readsAsUtf8(std::string_view bytes) {
    return bytes.starts_with(kUtf8ByteOrderMark) || isNonAsciiUtf8(bytes);
}

void decodeReservationFile(std::string_view bytes, ReservationTable& table) {
    std::string text = decodedText(bytes);
    std::string_view rest = text;
    int row = 0;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        if (end == std::string_view::npos)
            rest = {};
        else
            rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));

        ++row;
        if (row > kLastReservation)
            break;
        auto fields = splitCommaText(line);
        if (!fields.empty())
            fields[0] = paddedDate(std::move(fields[0]));
        for (std::size_t k = 0; k < fields.size() && k < StateCell; ++k)
            table.setCell(static_cast<int>(k) + 1, row, std::move(fields[k]));
    }
}

void loadReservations(const FileStore& store, const std::string& path, ReservationTable& table) {
    if (auto bytes = store.read(path, kReservationReadLimit))
        decodeReservationFile(*bytes, table);
}

void saveReservations(FileStore& store, const std::string& path, const ReservationTable& table) {
    store.replace(path, encodeReservationFile(table));
}

} // namespace core
