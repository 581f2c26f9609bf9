#pragma once

#include "Win32.h"
#include "core/cpu/CpuCounter.h"

#include <vector>

namespace platform {

// Processor times from ntdll's NtQuerySystemInformation, resolved at run time, with the
// records' 64-bit layouts.
class NtCpuSource : public core::CpuCounterSource {
public:
    NtCpuSource();
    ~NtCpuSource() override;
    NtCpuSource(const NtCpuSource&) = delete;
    NtCpuSource& operator=(const NtCpuSource&) = delete;

    // The library loaded and the entry point exists.
    bool available() const { return query_ != nullptr; }
    std::optional<std::uint8_t> processorCount() override;
    std::optional<std::int64_t> systemTime() override;
    std::optional<std::int64_t> idleTime() override;

private:
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    bool query(ULONG informationClass, void* buffer, ULONG length) const;
    std::optional<std::vector<unsigned char>> queryGrowing(ULONG informationClass,
                                                           ULONG length) const;

    HMODULE ntdll_ = nullptr;
    Query query_ = nullptr;
};

} // namespace platform
