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
    std::vector<ProcessorIdleTicks> idleTicks = ParseProcStatIdleTicks(snapshot->text);
    if (idleTicks.empty()) {
        throw CpuUsageError(kProcessorObjectNotFound);
    }
    idleTicks_ = std::move(idleTicks);
    ticksPerSecond_ = snapshot->ticksPerSecond;
    time_ = snapshot->time;
    if (processors_.empty()) {
        for (const ProcessorIdleTicks& line : idleTicks_) {
            processors_.push_back(line.processor);
        }
        std::ranges::sort(processors_);
        processors_.erase(std::unique(processors_.begin(), processors_.end()), processors_.end());
    }
    return static_cast<std::int32_t>(processors_.size());
}

std::int64_t ProcStatSource::ReadIdleCounters(std::span<std::int64_t> counters) {
    for (const ProcessorIdleTicks& line : idleTicks_) {
        const auto slot = std::ranges::lower_bound(processors_, line.processor);
        const auto index = static_cast<std::size_t>(slot - processors_.begin());
        if (slot != processors_.end() && *slot == line.processor && index < counters.size()) {
            counters[index] = TicksToFileTimeUnits(line.ticks, ticksPerSecond_);
        }
    }
    return time_;
}

}  // namespace kestrune::cpuusage
