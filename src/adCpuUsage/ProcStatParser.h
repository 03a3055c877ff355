// Reads the per-processor idle time out of the text of Linux /proc/stat.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrune::cpuusage {

struct ProcessorIdleTicks {
    std::uint32_t processor = 0;  // N of its "cpuN" line
    std::uint64_t ticks = 0;
    friend bool operator==(const ProcessorIdleTicks&, const ProcessorIdleTicks&) = default;
};

// The idle plus iowait ticks of every "cpuN" line, with N, in the order of the lines. The
// summary "cpu" line and lines that are not well formed are skipped; a line without the
// iowait field (kernels before 2.5.41) counts its idle ticks alone.
std::vector<ProcessorIdleTicks> ParseProcStatIdleTicks(std::string_view text);

}  // namespace kestrune::cpuusage
