// The processor time of a process and the processes it started, from successive readings
// of the processes now in that tree. Processes come and go between readings; what each one
// used is counted from its own figures, so one that ends takes nothing back from the total.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>

namespace kestrune::platform {

// One process's figures as a Linux /proc/<pid>/stat line gives them.
struct ProcessStatEntry {
    std::int64_t pid = 0;
    std::int64_t group = 0;    // the process group
    std::int64_t session = 0;  // the session
    // User and system time of the process and of its children that it has waited for, in
    // clock ticks.
    std::uint64_t ticks = 0;
};

// The figures of one /proc/<pid>/stat text; nothing when it is not well formed. The command
// name in parentheses may hold blanks and parentheses of its own.
std::optional<ProcessStatEntry> ParseProcessStat(std::string_view text);

struct ProcessTicks {
    std::int64_t pid = 0;
    std::uint64_t ticks = 0;
};

class ProcessTreeTime {
public:
    // Adds a reading of every process now in the tree and answers the ticks the tree has used
    // since the first reading: for a process seen before what it used since then, for a new
    // one all it has used. A figure that went down (a reused process id) counts from zero.
    std::uint64_t Add(std::span<const ProcessTicks> reading);

    std::uint64_t Total() const { return total_; }

private:
    std::map<std::int64_t, std::uint64_t> last_;
    std::uint64_t total_ = 0;
};

}  // namespace kestrune::platform
