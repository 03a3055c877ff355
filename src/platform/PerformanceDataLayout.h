// Byte layout of the Windows performance data (winperf.h): offsets of the fields the CPU
// usage monitor reads, little-endian. The layout is the same for 32-bit and 64-bit Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrune::platform::perfdata {

// Title indexes of the processor object and of its processor time counter, whose raw value
// is the processor's idle time in 100-nanosecond units.
inline constexpr std::uint32_t kProcessorObjectIndex = 238;
inline constexpr std::uint32_t kProcessorTimeCounterIndex = 6;

// PERF_DATA_BLOCK
namespace data_block {
inline constexpr std::size_t kHeaderLength = 24;
inline constexpr std::size_t kNumObjectTypes = 28;
inline constexpr std::size_t kSystemTime = 36;
inline constexpr std::size_t kSize = 88;
}  // namespace data_block

// SYSTEMTIME: eight 16-bit fields.
namespace system_time {
inline constexpr std::size_t kYear = 0;
inline constexpr std::size_t kMonth = 2;
inline constexpr std::size_t kDayOfWeek = 4;
inline constexpr std::size_t kDay = 6;
inline constexpr std::size_t kHour = 8;
inline constexpr std::size_t kMinute = 10;
inline constexpr std::size_t kSecond = 12;
inline constexpr std::size_t kMilliseconds = 14;
inline constexpr std::size_t kSize = 16;
}  // namespace system_time

// PERF_OBJECT_TYPE
namespace object_type {
inline constexpr std::size_t kTotalByteLength = 0;
inline constexpr std::size_t kDefinitionLength = 4;
inline constexpr std::size_t kHeaderLength = 8;
inline constexpr std::size_t kObjectNameTitleIndex = 12;
inline constexpr std::size_t kNumCounters = 32;
inline constexpr std::size_t kNumInstances = 40;
inline constexpr std::size_t kSize = 64;
}  // namespace object_type

// PERF_COUNTER_DEFINITION
namespace counter_definition {
inline constexpr std::size_t kByteLength = 0;
inline constexpr std::size_t kCounterNameTitleIndex = 4;
inline constexpr std::size_t kCounterOffset = 36;
inline constexpr std::size_t kSize = 40;
}  // namespace counter_definition

// PERF_INSTANCE_DEFINITION
namespace instance_definition {
inline constexpr std::size_t kByteLength = 0;
inline constexpr std::size_t kSize = 24;
}  // namespace instance_definition

// PERF_COUNTER_BLOCK
namespace counter_block {
inline constexpr std::size_t kByteLength = 0;
inline constexpr std::size_t kSize = 4;
}  // namespace counter_block

}  // namespace kestrune::platform::perfdata
