// The Linux sample: read /proc/stat, keep its idle ticks, hand them out in FILETIME units.
#include "adCpuUsage/ProcStatSource.h"

#include "adCpuUsage/CpuUsageError.h"
#include "adCpuUsage/ProcStatParser.h"

#include <algorithm>
#include <utility>

namespace kestrune::cpuusage {

namespace {

constexpr std::uint64_t kUnitsPerSecond = 10'000'000;

}  // namespace

std::int64_t TicksToFileTimeUnits(std::uint64_t ticks, std::int64_t ticksPerSecond) {
    const auto rate = static_cast<std::uint64_t>(ticksPerSecond);
    // Whole seconds and the remainder apart, so that the product stays in range; counts too
    // large for that wrap instead of overflowing.
    return static_cast<std::int64_t>(ticks / rate * kUnitsPerSecond +
                                     ticks % rate * kUnitsPerSecond / rate);
}

ProcStatSource::ProcStatSource(std::unique_ptr<platform::ProcStatReader> reader)
    : reader_(std::move(reader)) {}

std::int32_t ProcStatSource::Refresh() {
    auto snapshot = reader_->Read();
    if (!snapshot || snapshot->ticksPerSecond <= 0) {
        throw CpuUsageError(kUnableToReadPerformanceData);
    }
    std::vector<std::uint64_t> idleTicks = ParseProcStatIdleTicks(snapshot->text);
    if (idleTicks.empty()) {
        throw CpuUsageError(kProcessorObjectNotFound);
    }
    idleTicks_ = std::move(idleTicks);
    ticksPerSecond_ = snapshot->ticksPerSecond;
    time_ = snapshot->time;
    return static_cast<std::int32_t>(idleTicks_.size());
}

std::int64_t ProcStatSource::ReadIdleCounters(std::span<std::int64_t> counters) {
    const std::size_t covered = std::min(counters.size(), idleTicks_.size());
    for (std::size_t i = 0; i < covered; ++i) {
        counters[i] = TicksToFileTimeUnits(idleTicks_[i], ticksPerSecond_);
    }
    return time_;
}

}  // namespace kestrune::cpuusage
