// Start, sample and stop the Windows 9x kernel CPU usage statistic.
#include "adCpuUsage/KernelStatisticMonitor.h"

#include "adCpuUsage/CpuUsageError.h"

#include <utility>

namespace kestrune::cpuusage {

namespace {

constexpr char kStartKey[] = "PerfStats\\StartStat";
constexpr char kDataKey[] = "PerfStats\\StatData";
constexpr char kStopKey[] = "PerfStats\\StopStat";
constexpr char kUsageValue[] = "KERNEL\\CPUUsage";

}  // namespace

KernelStatisticMonitor::KernelStatisticMonitor(std::unique_ptr<platform::DynDataRegistry> registry)
    : registry_(std::move(registry)) {}

KernelStatisticMonitor::~KernelStatisticMonitor() {
    StopSampling();
}

void KernelStatisticMonitor::ReadUsage(platform::DynDataKey& key) {
    if (const auto value = key.ReadUInt32(kUsageValue)) {
        lastUsagePercentage_ = *value;
    }
}

void KernelStatisticMonitor::TakeSample() {
    if (!dataKey_) {
        {
            const auto startKey = registry_->OpenKey(kStartKey, platform::DynDataAccess::allAccess);
            if (!startKey) {
                throw CpuUsageError(kUnableToStartMonitoring);
            }
            ReadUsage(*startKey);
        }
        dataKey_ = registry_->OpenKey(kDataKey, platform::DynDataAccess::read);
        if (!dataKey_) {
            throw CpuUsageError(kUnableToReadPerformanceData);
        }
    }
    ReadUsage(*dataKey_);
}

std::int32_t KernelStatisticMonitor::ProcessorCount() {
    return 1;
}

double KernelStatisticMonitor::ProcessorLoad(std::int32_t index) {
    if (index != 0) {
        throw CpuUsageError(kCpuIndexOutOfBounds);
    }
    if (!dataKey_) {
        TakeSample();
    }
    return lastUsagePercentage_ / 100.0;
}

void KernelStatisticMonitor::StopSampling() {
    if (!dataKey_) {
        return;
    }
    dataKey_.reset();
    if (const auto stopKey = registry_->OpenKey(kStopKey, platform::DynDataAccess::allAccess)) {
        ReadUsage(*stopKey);
    }
}

}  // namespace kestrune::cpuusage
