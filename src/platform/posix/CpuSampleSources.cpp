// Processor load samples on POSIX systems: the text of /proc/stat, stamped with the wall
// clock on the Windows FILETIME scale and with the kernel's tick rate.
#include "platform/CpuSampleSources.h"

#include <time.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace kestrune::platform {

namespace {

constexpr const char* kProcStatPath = "/proc/stat";
constexpr std::int64_t kUnitsPerSecond = 10'000'000;  // 100-nanosecond units
constexpr std::int64_t kUnitsPerNanosecond = 100;
// Seconds from 1601-01-01 (the FILETIME origin) to 1970-01-01 (the POSIX origin).
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

class ProcStatFileReader final : public ProcStatReader {
public:
    std::optional<ProcStatSnapshot> Read() override {
        const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        timespec now{};
        if (ticksPerSecond <= 0 || ::clock_gettime(CLOCK_REALTIME, &now) != 0) {
            return std::nullopt;
        }
        std::ifstream file(kProcStatPath, std::ios::binary);
        if (!file) {
            return std::nullopt;
        }
        std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad()) {
            return std::nullopt;
        }
        const std::int64_t time =
            (static_cast<std::int64_t>(now.tv_sec) + kSecondsFrom1601To1970) * kUnitsPerSecond +
            now.tv_nsec / kUnitsPerNanosecond;
        return ProcStatSnapshot{std::move(text), time, ticksPerSecond};
    }
};

}  // namespace

std::optional<CpuSampleAccess> OpenCpuSampleAccess() {
    if (::access(kProcStatPath, R_OK) != 0) {
        return std::nullopt;
    }
    return CpuSampleAccess{std::make_unique<ProcStatFileReader>()};
}

}  // namespace kestrune::platform
