#include "CpuUtils.h"

#include "NtCpuSource.h"

#include <memory>
#include <windows.h>

namespace platform {

namespace {

// The dynamic-data statistics of the Windows 95 family; NT-family Windows has no such root.
const HKEY kDynData = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000006));

// The raw data of "KERNEL\CPUUsage" under `key` into four bytes; false when there is none.
bool readUsageValue(const char* key, unsigned char (&data)[4]) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(kDynData, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    DWORD length = sizeof data;
    const bool read = RegQueryValueExA(opened, "KERNEL\\CPUUsage", nullptr, nullptr, data,
                                       &length) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return read;
}

} // namespace

TCpuUsage::TCpuUsage()
    : core::TCpuUsage([]() -> std::unique_ptr<core::CpuCounterSource> {
          auto source = std::make_unique<NtCpuSource>();
          if (!source->available())
              return nullptr;
          return source;
      }()) {}

std::uint8_t TCpuUsage::GetUsage9x() {
    unsigned char data[4] = {};
    // Opening the start and stop keys switches the collection on and off; only the data key's
    // first byte is the usage.
    readUsageValue("PerfStats\\StartStat", data);
    unsigned char usage[4] = {};
    readUsageValue("PerfStats\\StatData", usage);
    readUsageValue("PerfStats\\StopStat", data);
    return usage[0];
}

} // namespace platform
