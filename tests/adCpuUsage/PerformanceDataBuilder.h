// Builds NT performance data buffers for tests: a data block with its SystemTime, then
// objects with 64-bit counters and one instance per idle value, laid out as Windows does.
#pragma once

#include "adCpuUsage/SystemTimeConversion.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrune::test {

// Title indexes of objects and counters other than the ones the monitor looks for.
inline constexpr std::uint32_t kProcessObjectIndex = 230;
inline constexpr std::uint32_t kUserTimeCounterIndex = 142;
inline constexpr std::uint32_t kInterruptsCounterIndex = 148;
// What every counter but the processor time counter holds, so that a wrong read shows.
inline constexpr std::int64_t kOtherCounterValue = 0x5A5A5A5A5A5A5A5A;

struct PerfObjectSpec {
    std::uint32_t titleIndex = 238;
    std::vector<std::uint32_t> counterIndexes = {6};
    // One instance per value: its processor time counter.
    std::vector<std::int64_t> idleCounters;
    // NumInstances when it is to differ from the number of instances laid out.
    std::optional<std::int32_t> reportedInstances;
};

// A processor object whose instances hold these idle counters.
PerfObjectSpec ProcessorObjectSpec(std::vector<std::int64_t> idleCounters);

struct PerfDataSpec {
    cpuusage::SystemTime systemTime{2026, 12, 7, 5, 16, 42, 5};
    std::vector<PerfObjectSpec> objects;
};

// A built buffer and where its objects start, for tests that corrupt it.
struct BuiltPerformanceData {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> objectOffsets;
};

BuiltPerformanceData BuildPerformanceData(const PerfDataSpec& spec);

// Overwrites a 32-bit little-endian field of a built buffer.
void PutPerfU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

}  // namespace kestrune::test
