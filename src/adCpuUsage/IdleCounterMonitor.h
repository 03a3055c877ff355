// The platform-free core of the CPU usage monitor: loads computed from two samples of
// per-processor idle counters and their time stamps. Serves the NT performance data and
// Linux /proc/stat alike.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"
#include "adCpuUsage/IdleCounterSource.h"

#include <memory>
#include <vector>

namespace kestrune::cpuusage {

class IdleCounterMonitor final : public CpuUsageMonitor {
public:
    explicit IdleCounterMonitor(std::unique_ptr<IdleCounterSource> source);

    void TakeSample() override;
    std::int32_t ProcessorCount() override;
    double ProcessorLoad(std::int32_t index) override;

private:
    static constexpr std::int32_t kUnknownCount = -1;

    std::unique_ptr<IdleCounterSource> source_;
    // Fixed by the first sample for the rest of the monitor's life.
    std::int32_t processorCount_ = kUnknownCount;
    std::vector<std::int64_t> currentCounters_;
    std::vector<std::int64_t> previousCounters_;
    // Receives a new sample, so that a failing one leaves the other two as they were.
    std::vector<std::int64_t> incomingCounters_;
    std::int64_t currentTime_ = 0;
    // 0 before the second sample: the first load is measured from the start of the time
    // scale and comes out close to 1.0.
    std::int64_t previousTime_ = 0;
};

}  // namespace kestrune::cpuusage
