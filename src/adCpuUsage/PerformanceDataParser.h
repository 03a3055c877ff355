// Walks a buffer of NT performance data (data block, objects, counter definitions,
// instances) to the processors' idle counters. Every offset, length and count comes from the
// buffer, so every step is bounds-checked: a malformed buffer reads as one without the
// processor object or its counter, never out of bounds, and every walk ends.
#pragma once

#include "adCpuUsage/SystemTimeConversion.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kestrune::cpuusage {

struct ProcessorObject {
    std::uint64_t offset = 0;        // from the buffer start
    std::int32_t instanceCount = 0;  // never negative
};

// The processor object: at most NumObjectTypes objects are walked from the data block's
// HeaderLength on, stepping by each TotalByteLength. Nothing when the walk stops at another
// object, leaves the buffer, or the object's instance count is negative or larger than the
// buffer could hold.
std::optional<ProcessorObject> FindProcessorObject(std::span<const std::uint8_t> data);

// The CounterOffset of the processor time counter: at most NumCounters definitions are
// walked from the object's HeaderLength on, stepping by each ByteLength.
std::optional<std::uint32_t> FindProcessorTimeCounter(std::span<const std::uint8_t> data,
                                                      const ProcessorObject& object);

// Reads the 64-bit counter at counterOffset of the first counters.size() instances, from the
// object's DefinitionLength on. False when one of them lies outside the buffer; the counters
// read before it are then written already.
bool ReadInstanceCounters(std::span<const std::uint8_t> data, const ProcessorObject& object,
                          std::uint32_t counterOffset, std::span<std::int64_t> counters);

// The data block's SystemTime. Nothing when the buffer is shorter than a data block.
std::optional<SystemTime> ReadSystemTime(std::span<const std::uint8_t> data);

}  // namespace kestrune::cpuusage
