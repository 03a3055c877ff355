// The CPU usage monitor: how busy each processor was between the last two samples. The
// program keeps one for its whole run; the idle watchdog samples it once a second.
#pragma once

#include <cstdint>

namespace kestrune::cpuusage {

class CpuUsageMonitor {
public:
    virtual ~CpuUsageMonitor() = default;

    // Reads a new sample; raises CpuUsageError on failure.
    virtual void TakeSample() = 0;

    // The number of processors, sampling first when it is not yet known.
    virtual std::int32_t ProcessorCount() = 0;

    // The fraction of time processor `index` (from 0) was busy between the last two samples,
    // nominally 0.0 to 1.0 and not clamped. Raises CpuUsageError for an index out of range.
    virtual double ProcessorLoad(std::int32_t index) = 0;

    // Stops a sampling facility the system keeps running on the monitor's behalf, if any.
    virtual void StopSampling() {}
};

}  // namespace kestrune::cpuusage
