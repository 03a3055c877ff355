// Idle counters from Linux /proc/stat: idle plus iowait ticks of each "cpuN" line, turned
// into 100-nanosecond units, with the wall-clock time of the reading as the time stamp.
#pragma once

#include "adCpuUsage/IdleCounterSource.h"
#include "adCpuUsage/ProcStatParser.h"
#include "platform/CpuSampleSources.h"

#include <memory>
#include <vector>

namespace kestrune::cpuusage {

// Ticks at `ticksPerSecond` (positive) in 100-nanosecond units.
std::int64_t TicksToFileTimeUnits(std::uint64_t ticks, std::int64_t ticksPerSecond);

class ProcStatSource final : public IdleCounterSource {
public:
    explicit ProcStatSource(std::unique_ptr<platform::ProcStatReader> reader);

    // The processors are those of the first reading's "cpuN" lines, in their order; later
    // readings are matched to them by N.
    std::int32_t Refresh() override;
    // A processor missing from a later reading (taken offline) keeps its counter, so it
    // reads as busy rather than idle; one that was not in the first reading is left out.
    std::int64_t ReadIdleCounters(std::span<std::int64_t> counters) override;

private:
    std::unique_ptr<platform::ProcStatReader> reader_;
    std::vector<std::uint32_t> processors_;  // N of each slot, ascending
    std::vector<ProcessorIdleTicks> idleTicks_;
    std::int64_t ticksPerSecond_ = 0;
    std::int64_t time_ = 0;
};

}  // namespace kestrune::cpuusage
