// Byte-level walks of NT performance data, little-endian, by the offsets of
// PerformanceDataLayout.h.
#include "adCpuUsage/PerformanceDataParser.h"

#include "platform/PerformanceDataLayout.h"

namespace kestrune::cpuusage {

namespace {

namespace layout = platform::perfdata;

// Offsets are summed in 64 bits: each summand is at most the buffer size or a 32-bit field.
bool Fits(std::span<const std::uint8_t> data, std::uint64_t offset, std::uint64_t length) {
    return offset <= data.size() && length <= data.size() - offset;
}

std::uint64_t ReadUnsigned(std::span<const std::uint8_t> data, std::uint64_t offset,
                           int byteCount) {
    std::uint64_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i) {
        value = (value << 8) | data[static_cast<std::size_t>(offset) + static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint16_t U16(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return static_cast<std::uint16_t>(ReadUnsigned(data, offset, 2));
}

std::uint32_t U32(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return static_cast<std::uint32_t>(ReadUnsigned(data, offset, 4));
}

std::int64_t S64(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return static_cast<std::int64_t>(ReadUnsigned(data, offset, 8));
}

// A record of `recordSize` bytes, found by a walk over `count` records from `offset` that
// stops at the first whose 32-bit field at `indexField` equals `wanted` and otherwise steps
// on by its 32-bit field at `lengthField`. The record where the walk ends is checked even
// when the count ran out, so a count of 0 still looks at the first record. Each step moves
// forward within the buffer or ends the walk, so the walk ends whatever the count.
std::optional<std::uint64_t> WalkTo(std::span<const std::uint8_t> data, std::uint64_t offset,
                                    std::uint32_t count, std::size_t recordSize,
                                    std::size_t indexField, std::size_t lengthField,
                                    std::uint32_t wanted) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!Fits(data, offset, recordSize) || U32(data, offset + indexField) == wanted) {
            break;
        }
        const std::uint32_t length = U32(data, offset + lengthField);
        if (length == 0) {
            break;  // every further step would land on this same record
        }
        offset += length;
    }
    if (!Fits(data, offset, recordSize) || U32(data, offset + indexField) != wanted) {
        return std::nullopt;
    }
    return offset;
}

}  // namespace

std::optional<ProcessorObject> FindProcessorObject(std::span<const std::uint8_t> data) {
    if (!Fits(data, 0, layout::data_block::kSize)) {
        return std::nullopt;
    }
    const auto found =
        WalkTo(data, U32(data, layout::data_block::kHeaderLength),
               U32(data, layout::data_block::kNumObjectTypes), layout::object_type::kSize,
               layout::object_type::kObjectNameTitleIndex, layout::object_type::kTotalByteLength,
               layout::kProcessorObjectIndex);
    if (!found) {
        return std::nullopt;
    }
    // Each instance takes at least an instance definition; a larger count is not data.
    const auto instanceCount =
        static_cast<std::int32_t>(U32(data, *found + layout::object_type::kNumInstances));
    if (instanceCount < 0 || static_cast<std::uint64_t>(instanceCount) >
                                 data.size() / layout::instance_definition::kSize) {
        return std::nullopt;
    }
    return ProcessorObject{*found, instanceCount};
}

std::optional<std::uint32_t> FindProcessorTimeCounter(std::span<const std::uint8_t> data,
                                                      const ProcessorObject& object) {
    if (!Fits(data, object.offset, layout::object_type::kSize)) {
        return std::nullopt;
    }
    const auto found = WalkTo(
        data, object.offset + U32(data, object.offset + layout::object_type::kHeaderLength),
        U32(data, object.offset + layout::object_type::kNumCounters),
        layout::counter_definition::kSize, layout::counter_definition::kCounterNameTitleIndex,
        layout::counter_definition::kByteLength, layout::kProcessorTimeCounterIndex);
    if (!found) {
        return std::nullopt;
    }
    return U32(data, *found + layout::counter_definition::kCounterOffset);
}

bool ReadInstanceCounters(std::span<const std::uint8_t> data, const ProcessorObject& object,
                          std::uint32_t counterOffset, std::span<std::int64_t> counters) {
    if (!Fits(data, object.offset, layout::object_type::kSize)) {
        return false;
    }
    const std::uint64_t firstInstance =
        object.offset + U32(data, object.offset + layout::object_type::kDefinitionLength);
    std::uint64_t instance = firstInstance;
    for (std::int64_t& counter : counters) {
        if (!Fits(data, instance, layout::instance_definition::kSize)) {
            return false;
        }
        const std::uint64_t block =
            instance + U32(data, instance + layout::instance_definition::kByteLength);
        if (!Fits(data, block, layout::counter_block::kSize) ||
            !Fits(data, block + counterOffset, sizeof(std::int64_t))) {
            return false;
        }
        counter = S64(data, block + counterOffset);
        instance = block + U32(data, block + layout::counter_block::kByteLength);
    }
    return true;
}

std::optional<SystemTime> ReadSystemTime(std::span<const std::uint8_t> data) {
    if (!Fits(data, 0, layout::data_block::kSize)) {
        return std::nullopt;
    }
    const std::uint64_t at = layout::data_block::kSystemTime;
    namespace field = layout::system_time;
    return SystemTime{U16(data, at + field::kYear),        U16(data, at + field::kMonth),
                      U16(data, at + field::kDay),         U16(data, at + field::kHour),
                      U16(data, at + field::kMinute),      U16(data, at + field::kSecond),
                      U16(data, at + field::kMilliseconds)};
}

}  // namespace kestrune::cpuusage
