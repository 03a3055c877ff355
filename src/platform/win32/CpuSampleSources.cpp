// Processor load samples on Windows: the performance data under HKEY_PERFORMANCE_DATA on the
// NT family, the kernel statistic under HKEY_DYN_DATA on Windows 95/98/Me.
#include "platform/CpuSampleSources.h"

#include "platform/PerformanceDataLayout.h"
#include "platform/win32/WideText.h"

#include <windows.h>
#include <winperf.h>

#include <cstddef>

#ifndef HKEY_DYN_DATA
#define HKEY_DYN_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000006))
#endif

namespace kestrune::platform {

namespace {

// The byte parser reads these structures by offset; keep its offsets honest.
namespace layout = perfdata;
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == layout::data_block::kHeaderLength);
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == layout::data_block::kNumObjectTypes);
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == layout::data_block::kSystemTime);
static_assert(sizeof(PERF_DATA_BLOCK) == layout::data_block::kSize);
static_assert(offsetof(SYSTEMTIME, wYear) == layout::system_time::kYear);
static_assert(offsetof(SYSTEMTIME, wMonth) == layout::system_time::kMonth);
static_assert(offsetof(SYSTEMTIME, wDayOfWeek) == layout::system_time::kDayOfWeek);
static_assert(offsetof(SYSTEMTIME, wDay) == layout::system_time::kDay);
static_assert(offsetof(SYSTEMTIME, wHour) == layout::system_time::kHour);
static_assert(offsetof(SYSTEMTIME, wMinute) == layout::system_time::kMinute);
static_assert(offsetof(SYSTEMTIME, wSecond) == layout::system_time::kSecond);
static_assert(offsetof(SYSTEMTIME, wMilliseconds) == layout::system_time::kMilliseconds);
static_assert(sizeof(SYSTEMTIME) == layout::system_time::kSize);
static_assert(offsetof(PERF_OBJECT_TYPE, TotalByteLength) == layout::object_type::kTotalByteLength);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) ==
              layout::object_type::kDefinitionLength);
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == layout::object_type::kHeaderLength);
static_assert(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) ==
              layout::object_type::kObjectNameTitleIndex);
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == layout::object_type::kNumCounters);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == layout::object_type::kNumInstances);
static_assert(sizeof(PERF_OBJECT_TYPE) == layout::object_type::kSize);
static_assert(offsetof(PERF_COUNTER_DEFINITION, ByteLength) ==
              layout::counter_definition::kByteLength);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) ==
              layout::counter_definition::kCounterNameTitleIndex);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) ==
              layout::counter_definition::kCounterOffset);
static_assert(sizeof(PERF_COUNTER_DEFINITION) == layout::counter_definition::kSize);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, ByteLength) ==
              layout::instance_definition::kByteLength);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == layout::instance_definition::kSize);
static_assert(offsetof(PERF_COUNTER_BLOCK, ByteLength) == layout::counter_block::kByteLength);
static_assert(sizeof(PERF_COUNTER_BLOCK) == layout::counter_block::kSize);

class RegistryPerformanceDataQuery final : public PerformanceDataQuery {
public:
    RegistryPerformanceDataQuery() = default;
    RegistryPerformanceDataQuery(const RegistryPerformanceDataQuery&) = delete;
    RegistryPerformanceDataQuery& operator=(const RegistryPerformanceDataQuery&) = delete;

    // Querying HKEY_PERFORMANCE_DATA opens it implicitly; closing it unloads the providers.
    ~RegistryPerformanceDataQuery() override { RegCloseKey(HKEY_PERFORMANCE_DATA); }

    PerformanceQueryResult Query(std::span<std::uint8_t> buffer) override {
        DWORD size = static_cast<DWORD>(buffer.size());
        const LONG result = RegQueryValueExW(HKEY_PERFORMANCE_DATA, valueName_.c_str(), nullptr,
                                             nullptr, buffer.data(), &size);
        if (result == ERROR_SUCCESS) {
            return PerformanceQueryResult::complete;
        }
        return result == ERROR_MORE_DATA ? PerformanceQueryResult::moreData
                                         : PerformanceQueryResult::failed;
    }

private:
    // The value name selects the object by its title index.
    const std::wstring valueName_ = std::to_wstring(perfdata::kProcessorObjectIndex);
};

class RegistryDynDataKey final : public DynDataKey {
public:
    explicit RegistryDynDataKey(HKEY key) : key_(key) {}
    RegistryDynDataKey(const RegistryDynDataKey&) = delete;
    RegistryDynDataKey& operator=(const RegistryDynDataKey&) = delete;
    ~RegistryDynDataKey() override { RegCloseKey(key_); }

    std::optional<std::uint32_t> ReadUInt32(const std::string& valueName) override {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegQueryValueExW(key_, win32::Widen(valueName).c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return value;
    }

private:
    HKEY key_;
};

class RegistryDynData final : public DynDataRegistry {
public:
    std::unique_ptr<DynDataKey> OpenKey(const std::string& path, DynDataAccess access) override {
        const REGSAM rights = access == DynDataAccess::allAccess ? KEY_ALL_ACCESS : KEY_READ;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_DYN_DATA, win32::Widen(path).c_str(), 0, rights, &key) !=
            ERROR_SUCCESS) {
            return nullptr;
        }
        return std::make_unique<RegistryDynDataKey>(key);
    }
};

}  // namespace

std::optional<CpuSampleAccess> OpenCpuSampleAccess() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version)) {
        return std::nullopt;
    }
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        return CpuSampleAccess{std::make_unique<RegistryPerformanceDataQuery>()};
    }
    return CpuSampleAccess{std::make_unique<RegistryDynData>()};
}

}  // namespace kestrune::platform
