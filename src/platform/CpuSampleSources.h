// What the operating system offers for measuring processor load: the NT performance data,
// the Windows 9x kernel statistic in the dynamic-data registry branch, or Linux /proc/stat.
// Thin access only; the CPU usage monitor does all the interpreting.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace kestrune::platform {

enum class PerformanceQueryResult { complete, moreData, failed };

// The performance data of the processor object, as the NT registry hands it out.
class PerformanceDataQuery {
public:
    virtual ~PerformanceDataQuery() = default;

    // Fills the buffer from its start. Answers moreData when the data does not fit.
    virtual PerformanceQueryResult Query(std::span<std::uint8_t> buffer) = 0;
};

enum class DynDataAccess { allAccess, read };

// An open key under HKEY_DYN_DATA; closed when the object goes.
class DynDataKey {
public:
    virtual ~DynDataKey() = default;

    // Reads a 4-byte value; nothing when the read fails.
    virtual std::optional<std::uint32_t> ReadUInt32(const std::string& valueName) = 0;
};

// The dynamic-data registry branch of Windows 95/98/Me.
class DynDataRegistry {
public:
    virtual ~DynDataRegistry() = default;

    // Opens a key (path with backslashes); nullptr when it cannot be opened.
    virtual std::unique_ptr<DynDataKey> OpenKey(const std::string& path, DynDataAccess access) = 0;
};

// One reading of /proc/stat with the moment it was taken.
struct ProcStatSnapshot {
    std::string text;
    std::int64_t time = 0;  // 100-nanosecond units since 1601-01-01 UTC, as a Windows FILETIME
    std::int64_t ticksPerSecond = 0;  // the unit of the tick counts in the text
};

class ProcStatReader {
public:
    virtual ~ProcStatReader() = default;

    // Nothing when /proc/stat cannot be read.
    virtual std::optional<ProcStatSnapshot> Read() = 0;
};

using CpuSampleAccess =
    std::variant<std::unique_ptr<PerformanceDataQuery>, std::unique_ptr<DynDataRegistry>,
                 std::unique_ptr<ProcStatReader>>;

// The access this system offers: the performance data on Windows NT, the dynamic-data branch
// on Windows 9x, /proc/stat on Linux. Nothing when the Windows version cannot be determined,
// or /proc/stat cannot be read.
std::optional<CpuSampleAccess> OpenCpuSampleAccess();

}  // namespace kestrune::platform
