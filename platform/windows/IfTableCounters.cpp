#include "IfTableCounters.h"

#include "Win32.h"
#include "WideText.h"

#include <iphlpapi.h>
#include <netioapi.h>
#include <string>

namespace platform {

std::optional<std::vector<core::InterfaceTraffic>> IfTableCounters::read() {
    MIB_IF_TABLE2* table = nullptr;
    if (GetIfTable2(&table) != NO_ERROR)
        return std::nullopt;
    std::vector<core::InterfaceTraffic> interfaces;
    for (ULONG index = 0; index < table->NumEntries; ++index) {
        const MIB_IF_ROW2& row = table->Table[index];
        if (row.Type == IF_TYPE_SOFTWARE_LOOPBACK || row.InterfaceAndOperStatusFlags.FilterInterface)
            continue;
        // The LUID names a row for as long as the interface exists.
        interfaces.push_back({std::to_string(row.InterfaceLuid.Value), row.InOctets, row.OutOctets});
    }
    FreeMibTable(table);
    return interfaces;
}

} // namespace platform
