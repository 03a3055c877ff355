// Arbitrary bytes as NT performance data: the monitor must answer with loads or its errors,
// never read outside the buffer, loop without end or allocate without bound. The input is
// the first sample; its second half, moved to the buffer start, is the second.
#include "adCpuUsage/CpuUsageError.h"
#include "adCpuUsage/IdleCounterMonitor.h"
#include "adCpuUsage/PerformanceDataSource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace {

using namespace kestrune;

class BytesQuery final : public platform::PerformanceDataQuery {
public:
    explicit BytesQuery(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    platform::PerformanceQueryResult Query(std::span<std::uint8_t> buffer) override {
        const std::span<const std::uint8_t> sample =
            queries_++ == 0 ? bytes_ : bytes_.subspan(bytes_.size() / 2);
        if (sample.size() > buffer.size()) {
            --queries_;
            return platform::PerformanceQueryResult::moreData;
        }
        std::copy(sample.begin(), sample.end(), buffer.begin());
        return platform::PerformanceQueryResult::complete;
    }

private:
    std::span<const std::uint8_t> bytes_;
    int queries_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cpuusage::IdleCounterMonitor monitor(std::make_unique<cpuusage::PerformanceDataSource>(
        std::make_unique<BytesQuery>(std::span(data, size))));
    for (int sample = 0; sample < 2; ++sample) {
        try {
            monitor.TakeSample();
            for (std::int32_t i = 0; i < monitor.ProcessorCount(); ++i) {
                static_cast<void>(monitor.ProcessorLoad(i));
            }
        } catch (const cpuusage::CpuUsageError&) {
            // The errors are the monitor's answer to data without the processor counters.
        }
    }
    return 0;
}
