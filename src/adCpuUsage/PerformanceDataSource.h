// Idle counters from the NT performance data: queries the processor object into a sample
// buffer that starts at 8,192 bytes, grows by 4,096 bytes while the data does not fit and
// keeps its grown size, then walks the buffer to each processor's idle counter.
#pragma once

#include "adCpuUsage/IdleCounterSource.h"
#include "adCpuUsage/PerformanceDataParser.h"
#include "platform/CpuSampleSources.h"

#include <memory>
#include <vector>

namespace kestrune::cpuusage {

class PerformanceDataSource final : public IdleCounterSource {
public:
    static constexpr std::size_t kInitialBufferSize = 8'192;
    static constexpr std::size_t kBufferGrowth = 4'096;
    // A query that never stops asking for more is not allowed to take all memory; real
    // processor data needs a tiny fraction of this.
    static constexpr std::size_t kMaximumBufferSize = std::size_t{64} * 1'024 * 1'024;

    explicit PerformanceDataSource(std::unique_ptr<platform::PerformanceDataQuery> query);

    std::int32_t Refresh() override;
    std::int64_t ReadIdleCounters(std::span<std::int64_t> counters) override;

private:
    std::unique_ptr<platform::PerformanceDataQuery> query_;
    std::vector<std::uint8_t> buffer_;
    // Where the last reading holds the processor object.
    ProcessorObject processorObject_;
};

}  // namespace kestrune::cpuusage
