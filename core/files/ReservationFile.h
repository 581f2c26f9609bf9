#pragma once

#include "core/base/FileStore.h"
#include "core/book/ReservationTable.h"

#include <string>
#include <string_view>

namespace core {

inline constexpr const char* kReservationFileName = "SetTimeData.txt";
// Thirty lines of six cells never come near this; only the start of a larger file is read.
inline constexpr std::size_t kReservationReadLimit = std::size_t{64} * 1024;

// The 30 rows as code page 932 lines of six cells joined by ",", each ended by CR LF. Cells of
// the program's vocabulary are written as they are; a cell holding a blank, comma or quote is
// quoted so that it loads back unchanged.
std::string encodeReservationFile(const ReservationTable& table);

// Fills the table from the file's bytes. Line n fills row n; a line with no fields leaves its
// row alone; fields past the sixth and lines past the 30th are ignored. A file saved as UTF-8 by
// an editor (with a byte-order mark, or valid UTF-8 with non-ASCII bytes) is read as UTF-8, and a
// date written without zero padding is read as the padded date, so that both fire as written.
void decodeReservationFile(std::string_view bytes, ReservationTable& table);
// True for the bytes of a file that is read as UTF-8, or whose byte-order mark a load drops. A
// code page 932 file of cells with nothing of the program's vocabulary may happen to be such
// bytes, and is then read as UTF-8 too.
bool readsAsUtf8(std::string_view bytes);

// Missing or unreadable files, and anything that is not a regular file, leave the table as it
// is, without a word.
void loadReservations(const FileStore& store, const std::string& path, ReservationTable& table);
void saveReservations(FileStore& store, const std::string& path, const ReservationTable& table);

} // namespace core
