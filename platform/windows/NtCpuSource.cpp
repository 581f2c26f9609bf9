#include "NtCpuSource.h"

#include "EntryPoint.h"

#include <cstring>

namespace platform {

namespace {

// Information classes and the 64-bit record sizes and field offsets that are read.
constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kBasicLength = 64;
constexpr std::size_t kProcessorCountOffset = 56;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kPerformanceLength = 344;
constexpr std::size_t kIdleTimeOffset = 0;
constexpr ULONG kSystemTimeOfDayInformation = 3;
constexpr ULONG kTimeOfDayLength = 48;
constexpr std::size_t kCurrentTimeOffset = 8;

std::int64_t int64At(const unsigned char* buffer, std::size_t offset) {
    std::int64_t value;
    std::memcpy(&value, buffer + offset, sizeof value);
    return value;
}

} // namespace

NtCpuSource::NtCpuSource() : ntdll_(LoadLibraryA("ntdll.dll")) {
    if (ntdll_ != nullptr)
        query_ = entryPoint<Query>(ntdll_, "NtQuerySystemInformation");
}

NtCpuSource::~NtCpuSource() {
    if (ntdll_ != nullptr)
        FreeLibrary(ntdll_);
}

bool NtCpuSource::query(ULONG informationClass, void* buffer, ULONG length) const {
    return query_ != nullptr && query_(informationClass, buffer, length, nullptr) == 0;
}

std::optional<std::vector<unsigned char>> NtCpuSource::queryGrowing(ULONG informationClass,
                                                                    ULONG length) const {
    // Later systems lengthened some records and refuse a buffer of another size; they say
    // which length they want.
    std::vector<unsigned char> buffer(length);
    ULONG wanted = 0;
    if (query_ == nullptr)
        return std::nullopt;
    if (query_(informationClass, buffer.data(), length, &wanted) == 0)
        return buffer;
    if (wanted <= length || wanted > 4096)
        return std::nullopt;
    buffer.assign(wanted, 0);
    if (query_(informationClass, buffer.data(), wanted, nullptr) != 0)
        return std::nullopt;
    return buffer;
}

std::optional<std::uint8_t> NtCpuSource::processorCount() {
    unsigned char buffer[kBasicLength] = {};
    if (!query(kSystemBasicInformation, buffer, sizeof buffer) ||
        buffer[kProcessorCountOffset] == 0)
        return std::nullopt;
    return buffer[kProcessorCountOffset];
}

std::optional<std::int64_t> NtCpuSource::systemTime() {
    unsigned char buffer[kTimeOfDayLength] = {};
    if (!query(kSystemTimeOfDayInformation, buffer, sizeof buffer))
        return std::nullopt;
    return int64At(buffer, kCurrentTimeOffset);
}

std::optional<std::int64_t> NtCpuSource::idleTime() {
    auto buffer = queryGrowing(kSystemPerformanceInformation, kPerformanceLength);
    if (!buffer)
        return std::nullopt;
    return int64At(buffer->data(), kIdleTimeOffset);
}

} // namespace platform
