// Lays out performance data: data block, then per object its header, counter definitions
// and instances (definition, UTF-16 name, counter block).
#include "PerformanceDataBuilder.h"

#include "platform/PerformanceDataLayout.h"

#include <utility>

namespace kestrune::test {

namespace {

namespace layout = platform::perfdata;

// Instance names are two UTF-16 units ("0" and its terminator), padded to 8 bytes.
constexpr std::size_t kInstanceNameSize = 8;
// The counter block's ByteLength field, padded so that the counters are 8-byte aligned.
constexpr std::size_t kCounterBlockHeader = 8;

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value,
                     std::size_t byteCount) {
    for (std::size_t i = 0; i < byteCount; ++i) {
        bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutPerfU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
    PutLittleEndian(bytes, offset, value, 2);
}

void PutPerfU64(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value) {
    PutLittleEndian(bytes, offset, value, 8);
}

void PutObject(std::vector<std::uint8_t>& bytes, std::size_t start, const PerfObjectSpec& spec) {
    const std::size_t counterCount = spec.counterIndexes.size();
    const std::size_t definitionLength =
        layout::object_type::kSize + counterCount * layout::counter_definition::kSize;
    const std::size_t counterBlockSize = kCounterBlockHeader + counterCount * 8;
    const std::size_t instanceSize =
        layout::instance_definition::kSize + kInstanceNameSize + counterBlockSize;
    bytes.resize(start + definitionLength + spec.idleCounters.size() * instanceSize, 0);

    namespace object = layout::object_type;
    PutPerfU32(bytes, start + object::kTotalByteLength,
               static_cast<std::uint32_t>(bytes.size() - start));
    PutPerfU32(bytes, start + object::kDefinitionLength,
               static_cast<std::uint32_t>(definitionLength));
    PutPerfU32(bytes, start + object::kHeaderLength, object::kSize);
    PutPerfU32(bytes, start + object::kObjectNameTitleIndex, spec.titleIndex);
    PutPerfU32(bytes, start + object::kNumCounters, static_cast<std::uint32_t>(counterCount));
    PutPerfU32(bytes, start + object::kNumInstances,
               static_cast<std::uint32_t>(spec.reportedInstances.value_or(
                   static_cast<std::int32_t>(spec.idleCounters.size()))));

    namespace counter = layout::counter_definition;
    for (std::size_t k = 0; k < counterCount; ++k) {
        const std::size_t at = start + object::kSize + k * counter::kSize;
        PutPerfU32(bytes, at + counter::kByteLength, counter::kSize);
        PutPerfU32(bytes, at + counter::kCounterNameTitleIndex, spec.counterIndexes[k]);
        PutPerfU32(bytes, at + counter::kCounterOffset,
                   static_cast<std::uint32_t>(kCounterBlockHeader + k * 8));
    }

    for (std::size_t i = 0; i < spec.idleCounters.size(); ++i) {
        const std::size_t instance = start + definitionLength + i * instanceSize;
        PutPerfU32(bytes, instance + layout::instance_definition::kByteLength,
                   layout::instance_definition::kSize + kInstanceNameSize);
        PutPerfU16(bytes, instance + layout::instance_definition::kSize,
                   static_cast<std::uint16_t>('0' + i % 10));
        const std::size_t block = instance + layout::instance_definition::kSize + kInstanceNameSize;
        PutPerfU32(bytes, block + layout::counter_block::kByteLength,
                   static_cast<std::uint32_t>(counterBlockSize));
        for (std::size_t k = 0; k < counterCount; ++k) {
            const bool idleCounter = spec.counterIndexes[k] == layout::kProcessorTimeCounterIndex;
            PutPerfU64(bytes, block + kCounterBlockHeader + k * 8,
                       static_cast<std::uint64_t>(idleCounter ? spec.idleCounters[i]
                                                              : kOtherCounterValue));
        }
    }
}

}  // namespace

PerfObjectSpec ProcessorObjectSpec(std::vector<std::int64_t> idleCounters) {
    PerfObjectSpec object;
    object.idleCounters = std::move(idleCounters);
    return object;
}

BuiltPerformanceData BuildPerformanceData(const PerfDataSpec& spec) {
    BuiltPerformanceData result;
    std::vector<std::uint8_t>& bytes = result.bytes;
    bytes.resize(layout::data_block::kSize, 0);
    const char16_t signature[] = u"PERF";
    for (std::size_t i = 0; i < 4; ++i) {
        PutPerfU16(bytes, i * 2, signature[i]);
    }
    PutPerfU32(bytes, 8, 1);   // LittleEndian
    PutPerfU32(bytes, 12, 1);  // Version
    PutPerfU32(bytes, 16, 1);  // Revision
    PutPerfU32(bytes, layout::data_block::kHeaderLength, layout::data_block::kSize);
    PutPerfU32(bytes, layout::data_block::kNumObjectTypes,
               static_cast<std::uint32_t>(spec.objects.size()));
    const std::size_t time = layout::data_block::kSystemTime;
    namespace field = layout::system_time;
    const cpuusage::SystemTime& t = spec.systemTime;
    PutPerfU16(bytes, time + field::kYear, t.year);
    PutPerfU16(bytes, time + field::kMonth, t.month);
    PutPerfU16(bytes, time + field::kDay, t.day);
    PutPerfU16(bytes, time + field::kHour, t.hour);
    PutPerfU16(bytes, time + field::kMinute, t.minute);
    PutPerfU16(bytes, time + field::kSecond, t.second);
    PutPerfU16(bytes, time + field::kMilliseconds, t.milliseconds);

    for (const PerfObjectSpec& object : spec.objects) {
        result.objectOffsets.push_back(bytes.size());
        PutObject(bytes, bytes.size(), object);
    }
    PutPerfU32(bytes, 20, static_cast<std::uint32_t>(bytes.size()));  // TotalByteLength
    return result;
}

void PutPerfU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    PutLittleEndian(bytes, offset, value, 4);
}

}  // namespace kestrune::test
