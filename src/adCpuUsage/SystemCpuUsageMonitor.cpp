// Picks the monitor and sample source for the access the platform layer reports.
#include "adCpuUsage/SystemCpuUsageMonitor.h"

#include "adCpuUsage/CpuUsageError.h"
#include "adCpuUsage/IdleCounterMonitor.h"
#include "adCpuUsage/KernelStatisticMonitor.h"
#include "adCpuUsage/PerformanceDataSource.h"
#include "adCpuUsage/ProcStatSource.h"

#include <utility>

namespace kestrune::cpuusage {

namespace {

std::unique_ptr<CpuUsageMonitor> MonitorFor(std::unique_ptr<platform::PerformanceDataQuery> query) {
    return std::make_unique<IdleCounterMonitor>(
        std::make_unique<PerformanceDataSource>(std::move(query)));
}

std::unique_ptr<CpuUsageMonitor> MonitorFor(std::unique_ptr<platform::DynDataRegistry> registry) {
    return std::make_unique<KernelStatisticMonitor>(std::move(registry));
}

std::unique_ptr<CpuUsageMonitor> MonitorFor(std::unique_ptr<platform::ProcStatReader> reader) {
    return std::make_unique<IdleCounterMonitor>(
        std::make_unique<ProcStatSource>(std::move(reader)));
}

}  // namespace

std::unique_ptr<CpuUsageMonitor> CreateSystemCpuUsageMonitor() {
    auto access = platform::OpenCpuSampleAccess();
    if (!access) {
        throw CpuUsageError(kCantGetWindowsVersion);
    }
    return std::visit([](auto& source) { return MonitorFor(std::move(source)); }, *access);
}

}  // namespace kestrune::cpuusage
