// Loads from idle counters: 1 - idle time / elapsed time between the last two samples.
#include "adCpuUsage/IdleCounterMonitor.h"

#include "adCpuUsage/CpuUsageError.h"

#include <algorithm>
#include <utility>

namespace kestrune::cpuusage {

namespace {

// Counters come from outside; a difference wraps rather than overflow.
std::int64_t Difference(std::int64_t later, std::int64_t earlier) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(later) -
                                     static_cast<std::uint64_t>(earlier));
}

}  // namespace

IdleCounterMonitor::IdleCounterMonitor(std::unique_ptr<IdleCounterSource> source)
    : source_(std::move(source)) {}

void IdleCounterMonitor::TakeSample() {
    const std::int32_t reportedCount = source_->Refresh();
    if (processorCount_ == kUnknownCount) {
        processorCount_ = reportedCount;
        const auto size = static_cast<std::size_t>(processorCount_);
        currentCounters_.assign(size, 0);
        previousCounters_.assign(size, 0);
        incomingCounters_.assign(size, 0);
    }
    std::copy(currentCounters_.begin(), currentCounters_.end(), incomingCounters_.begin());
    const std::int64_t time = source_->ReadIdleCounters(incomingCounters_);
    previousCounters_.swap(currentCounters_);
    currentCounters_.swap(incomingCounters_);
    previousTime_ = std::exchange(currentTime_, time);
}

std::int32_t IdleCounterMonitor::ProcessorCount() {
    if (processorCount_ == kUnknownCount) {
        TakeSample();
    }
    return processorCount_;
}

double IdleCounterMonitor::ProcessorLoad(std::int32_t index) {
    if (processorCount_ == kUnknownCount) {
        TakeSample();
    }
    if (index < 0 || index >= processorCount_) {
        throw CpuUsageError(kCpuIndexOutOfBounds);
    }
    if (previousTime_ == currentTime_) {
        return 0.0;
    }
    const auto slot = static_cast<std::size_t>(index);
    const std::int64_t idle = Difference(currentCounters_[slot], previousCounters_[slot]);
    const std::int64_t elapsed = Difference(currentTime_, previousTime_);
    return 1.0 - static_cast<double>(idle) / static_cast<double>(elapsed);
}

}  // namespace kestrune::cpuusage
