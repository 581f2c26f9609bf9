// Any bytes as a reservation file: loading never fails, and what a save writes loads back to the
// same table, so load → save → load → save is stable; except for a save that happens to be
// UTF-8, which is read as UTF-8 by design.
#include "core/files/ReservationFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    core::ReservationTable first;
    core::decodeReservationFile(bytes, first);
    const std::string saved = core::encodeReservationFile(first);

    if (core::readsAsUtf8(saved))
        return 0;
    core::ReservationTable second;
    core::decodeReservationFile(saved, second);
    if (core::encodeReservationFile(second) != saved)
        std::abort();
    return 0;
}
