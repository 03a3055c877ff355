// Where the idle-counter monitor gets its samples: per-processor idle-time counters and a
// time stamp, both in 100-nanosecond units.
#pragma once

#include <cstdint>
#include <span>

namespace kestrune::cpuusage {

class IdleCounterSource {
public:
    virtual ~IdleCounterSource() = default;

    // Takes a new reading and answers the number of processors it reports (never negative).
    // Raises CpuUsageError when the reading fails or holds no processors at all.
    virtual std::int32_t Refresh() = 0;

    // Writes the idle counters of the last reading into `counters` (one slot per processor,
    // from 0) and answers the reading's time stamp. A slot the reading does not cover keeps
    // its value. Raises CpuUsageError when the reading holds no idle counter; `counters` may
    // then be partly written.
    virtual std::int64_t ReadIdleCounters(std::span<std::int64_t> counters) = 0;
};

}  // namespace kestrune::cpuusage
