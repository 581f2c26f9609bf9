#include "CpuUsage.h"

namespace core {

TCpuUsage::TCpuUsage(std::unique_ptr<CpuCounterSource> source) : source_(std::move(source)) {
    if (!source_)
        return;
    if (auto count = source_->processorCount())
        counter_ = std::make_unique<CpuCounter>(*source_, *count);
}

std::uint8_t TCpuUsage::GetUsage() {
    return counter_ ? GetUsageNT() : GetUsage9x();
}

std::uint8_t TCpuUsage::GetUsageNT() {
    return counter_ ? counter_->reading() : 0;
}

std::uint8_t TCpuUsage::GetUsage9x() {
    // The dynamic-data statistics exist only on the Windows 95 family; its face overrides this.
    return 0;
}

} // namespace core
