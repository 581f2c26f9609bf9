#include "IfTableCounters.h"

// The interface table's types need the socket headers before the IP helper's.
// clang-format off
#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
// clang-format on
#include <string>

namespace platform {

std::optional<std::vector<core::InterfaceTraffic>> IfTableCounters::read() {
    MIB_IF_TABLE2* table = nullptr;
    if (GetIfTable2(&table) != NO_ERROR)
        return std::nullopt;
    std::vector<core::InterfaceTraffic> interfaces;
    for (ULONG index = 0; index < table->NumEntries; ++index) {
        const MIB_IF_ROW2& row = table->Table[index];
        if (row.Type == IF_TYPE_SOFTWARE_LOOPBACK ||
            row.InterfaceAndOperStatusFlags.FilterInterface)
            continue;
        // The LUID names a row for as long as the interface exists.
        interfaces.push_back(
            {std::to_string(row.InterfaceLuid.Value), row.InOctets, row.OutOctets});
    }
    FreeMibTable(table);
    return interfaces;
}

} // namespace platform
