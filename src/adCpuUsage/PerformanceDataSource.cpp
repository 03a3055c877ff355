// The NT sample: query with a growing buffer, then locate object, counter and instances.
#include "adCpuUsage/PerformanceDataSource.h"

#include "adCpuUsage/CpuUsageError.h"

#include <utility>

namespace kestrune::cpuusage {

PerformanceDataSource::PerformanceDataSource(std::unique_ptr<platform::PerformanceDataQuery> query)
    : query_(std::move(query)), buffer_(kInitialBufferSize, 0) {}

std::int32_t PerformanceDataSource::Refresh() {
    // Any answer but "more data" ends the query. A failed query is no error of its own: the
    // walk below judges whatever the buffer holds.
    while (query_->Query(buffer_) == platform::PerformanceQueryResult::moreData &&
           buffer_.size() + kBufferGrowth <= kMaximumBufferSize) {
        buffer_.resize(buffer_.size() + kBufferGrowth, 0);
    }
    const auto found = FindProcessorObject(buffer_);
    if (!found) {
        throw CpuUsageError(kProcessorObjectNotFound);
    }
    processorObject_ = *found;
    return processorObject_.instanceCount;
}

std::int64_t PerformanceDataSource::ReadIdleCounters(std::span<std::int64_t> counters) {
    const auto counterOffset = FindProcessorTimeCounter(buffer_, processorObject_);
    if (!counterOffset ||
        !ReadInstanceCounters(buffer_, processorObject_, *counterOffset, counters)) {
        throw CpuUsageError(kProcessorTimeCounterNotFound);
    }
    // The system always stamps a valid time; a stamp that is not a date reads as the start
    // of the time scale.
    const auto systemTime = ReadSystemTime(buffer_);
    return systemTime ? FileTimeFromSystemTime(*systemTime).value_or(0) : 0;
}

}  // namespace kestrune::cpuusage
