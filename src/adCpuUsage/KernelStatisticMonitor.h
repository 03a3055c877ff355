// The CPU usage monitor of Windows 95/98/Me: one processor, whose load is the kernel's own
// CPU usage percentage from the dynamic-data registry branch. Reading the value under
// "PerfStats\StartStat" starts the statistic, under "PerfStats\StatData" samples it, and
// under "PerfStats\StopStat" stops it.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"
#include "platform/CpuSampleSources.h"

#include <memory>

namespace kestrune::cpuusage {

class KernelStatisticMonitor final : public CpuUsageMonitor {
public:
    explicit KernelStatisticMonitor(std::unique_ptr<platform::DynDataRegistry> registry);
    KernelStatisticMonitor(const KernelStatisticMonitor&) = delete;
    KernelStatisticMonitor& operator=(const KernelStatisticMonitor&) = delete;
    // Stops the statistic, as StopSampling does.
    ~KernelStatisticMonitor() override;

    // Starts the statistic at the first call, then reads the percentage.
    void TakeSample() override;
    // Always 1, without sampling.
    std::int32_t ProcessorCount() override;
    // The percentage of the last sample / 100; samples only when the statistic is not running.
    double ProcessorLoad(std::int32_t index) override;
    void StopSampling() override;

private:
    void ReadUsage(platform::DynDataKey& key);

    std::unique_ptr<platform::DynDataRegistry> registry_;
    // Open while the statistic runs.
    std::unique_ptr<platform::DynDataKey> dataKey_;
    std::uint32_t lastUsagePercentage_ = 0;
};

}  // namespace kestrune::cpuusage
