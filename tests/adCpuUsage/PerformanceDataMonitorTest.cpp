// The CPU usage monitor on synthetic NT performance data: buffer growth, the walk to the
// processors' idle counters, loads between samples, and every error with its exact text.
#include "ExpectCpuUsageError.h"
#include "PerformanceDataBuilder.h"
#include "adCpuUsage/IdleCounterMonitor.h"
#include "adCpuUsage/PerformanceDataParser.h"
#include "adCpuUsage/PerformanceDataSource.h"
#include "platform/PerformanceDataLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <memory>
#include <string>

namespace kestrune::cpuusage {
namespace {

using test::ExpectCpuUsageError;

using test::BuildPerformanceData;
using test::PerfDataSpec;
using test::PerfObjectSpec;
using test::ProcessorObjectSpec;
namespace layout = platform::perfdata;

constexpr std::int64_t kOneSecond = 10'000'000;

// Answers each query with the next queued buffer, "more data" while it does not fit, and
// failure when nothing is queued.
struct QueryScript {
    std::deque<std::vector<std::uint8_t>> samples;
    std::vector<std::size_t> bufferSizes;
};

class ScriptedQuery final : public platform::PerformanceDataQuery {
public:
    explicit ScriptedQuery(std::shared_ptr<QueryScript> script) : script_(std::move(script)) {}

    platform::PerformanceQueryResult Query(std::span<std::uint8_t> buffer) override {
        script_->bufferSizes.push_back(buffer.size());
        if (script_->samples.empty()) {
            return platform::PerformanceQueryResult::failed;
        }
        const std::vector<std::uint8_t>& sample = script_->samples.front();
        if (sample.size() > buffer.size()) {
            return platform::PerformanceQueryResult::moreData;
        }
        std::copy(sample.begin(), sample.end(), buffer.begin());
        script_->samples.pop_front();
        return platform::PerformanceQueryResult::complete;
    }

private:
    std::shared_ptr<QueryScript> script_;
};

SystemTime AtSecond(std::uint16_t second) {
    return SystemTime{2026, 12, 7, 5, 16, second, 0};
}

PerfDataSpec Sample(std::uint16_t second, std::vector<std::int64_t> idleCounters) {
    return PerfDataSpec{AtSecond(second), {ProcessorObjectSpec(std::move(idleCounters))}};
}

const std::string kObjectMissing = "Unable to locate the \"Processor\" performance object";
const std::string kCounterMissing = "Unable to locate the \"% of CPU usage\" performance counter";

class PerformanceDataMonitor : public ::testing::Test {
protected:
    void Queue(const PerfDataSpec& spec) {
        script->samples.push_back(BuildPerformanceData(spec).bytes);
    }

    std::vector<double> Loads() {
        std::vector<double> loads;
        for (std::int32_t i = 0; i < monitor.ProcessorCount(); ++i) {
            loads.push_back(monitor.ProcessorLoad(i));
        }
        return loads;
    }

    std::shared_ptr<QueryScript> script = std::make_shared<QueryScript>();
    IdleCounterMonitor monitor{
        std::make_unique<PerformanceDataSource>(std::make_unique<ScriptedQuery>(script))};
};

TEST_F(PerformanceDataMonitor, CountsEveryInstanceOfTheProcessorObjectSamplingOnce) {
    Queue(Sample(0, {1, 2, 3}));  // two processors and the total, as Windows reports them
    EXPECT_EQ(monitor.ProcessorCount(), 3);
    EXPECT_EQ(monitor.ProcessorCount(), 3);
    EXPECT_EQ(script->bufferSizes.size(), 1u);
}

TEST_F(PerformanceDataMonitor, FirstLoadIsMeasuredFromTheStartOfTheTimeScale) {
    Queue(Sample(0, {kOneSecond, 0}));
    const double load = monitor.ProcessorLoad(0);  // samples first
    EXPECT_EQ(script->bufferSizes.size(), 1u);
    EXPECT_LT(load, 1.0);
    EXPECT_GT(load, 0.999999);
    EXPECT_EQ(monitor.ProcessorLoad(1), 1.0);
}

TEST_F(PerformanceDataMonitor, LoadIsTheBusyFractionBetweenTheLastTwoSamples) {
    struct Case {
        std::int64_t idleIncrease;
        double load;
    };
    const Case cases[] = {
        {0, 1.0},                // never idle
        {kOneSecond, 0.0},       // idle throughout
        {kOneSecond / 4, 0.75},  // idle a quarter of the time
        {2 * kOneSecond, -1.0},  // inconsistent counters are not clamped
        {-kOneSecond / 2, 1.5},
    };
    std::vector<std::int64_t> first;
    std::vector<std::int64_t> second;
    std::vector<std::int64_t> third;
    for (const Case& c : cases) {
        const std::int64_t start = 123'456'789 * static_cast<std::int64_t>(first.size() + 1);
        first.push_back(start - 7 * kOneSecond);  // far from the second: must not matter
        second.push_back(start);
        third.push_back(start + c.idleIncrease);
    }
    Queue(Sample(1, first));
    Queue(Sample(10, second));
    Queue(Sample(11, third));
    for (int i = 0; i < 3; ++i) {
        monitor.TakeSample();
    }
    const std::vector<double> loads = Loads();
    ASSERT_EQ(loads.size(), std::size(cases));
    for (std::size_t i = 0; i < loads.size(); ++i) {
        EXPECT_DOUBLE_EQ(loads[i], cases[i].load) << "processor " << i;
    }
}

TEST_F(PerformanceDataMonitor, SameSystemTimeInTwoSamplesReadsAsIdleEverywhere) {
    Queue(Sample(5, {0, 0, 0}));
    Queue(Sample(5, {0, kOneSecond, 3 * kOneSecond}));
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_EQ(Loads(), (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST_F(PerformanceDataMonitor, RejectsIndexesOutsideTheProcessorRange) {
    Queue(Sample(0, {0, 0}));
    monitor.TakeSample();
    for (const std::int32_t index : {-1, 2, 3, INT_MIN, INT_MAX}) {
        ExpectCpuUsageError([&] { monitor.ProcessorLoad(index); }, "CPU index out of bounds");
    }
}

TEST_F(PerformanceDataMonitor, GrowsTheBufferBy4096BytesUntilTheDataFitsAndKeepsItsSize) {
    // A large object ahead of the processor object, so that the walk crosses the grown part.
    PerfObjectSpec process;
    process.titleIndex = test::kProcessObjectIndex;
    process.counterIndexes = {test::kUserTimeCounterIndex};
    process.idleCounters.assign(340, 0);
    PerfDataSpec large{AtSecond(0), {process, ProcessorObjectSpec({kOneSecond})}};
    const std::size_t largeSize = BuildPerformanceData(large).bytes.size();
    ASSERT_GT(largeSize, 8'192u + 2 * 4'096u);
    ASSERT_LE(largeSize, 8'192u + 3 * 4'096u);
    script->samples.push_back(BuildPerformanceData(large).bytes);
    Queue(Sample(1, {kOneSecond + kOneSecond / 2}));

    monitor.TakeSample();
    EXPECT_EQ(script->bufferSizes, (std::vector<std::size_t>{8'192, 12'288, 16'384, 20'480}));
    monitor.TakeSample();
    EXPECT_EQ(script->bufferSizes.back(), 20'480u);
    EXPECT_EQ(script->bufferSizes.size(), 5u);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(0), 0.5);
}

TEST_F(PerformanceDataMonitor, FindsTheProcessorTimeCounterAmongOtherObjectsAndCounters) {
    PerfObjectSpec process;
    process.titleIndex = test::kProcessObjectIndex;
    process.idleCounters = {5 * kOneSecond, 5 * kOneSecond};  // counter 6 of another object
    PerfObjectSpec processor = ProcessorObjectSpec({0, kOneSecond / 2});
    processor.counterIndexes = {test::kUserTimeCounterIndex, 6, test::kInterruptsCounterIndex};
    Queue(PerfDataSpec{AtSecond(0), {process, ProcessorObjectSpec({0, 0})}});
    Queue(PerfDataSpec{AtSecond(1), {process, processor}});
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_EQ(Loads(), (std::vector<double>{1.0, 0.5}));
}

TEST_F(PerformanceDataMonitor, ProcessorCountIsFixedByTheFirstSample) {
    Queue(Sample(0, {0, 0}));
    Queue(Sample(1, {kOneSecond, 0, 0, 0}));
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_EQ(Loads(), (std::vector<double>{0.0, 1.0}));
    ExpectCpuUsageError([&] { monitor.ProcessorLoad(2); }, "CPU index out of bounds");
}

TEST_F(PerformanceDataMonitor, MissingProcessorObjectLeavesCountAndLoadsAsTheyWere) {
    PerfObjectSpec process;
    process.titleIndex = test::kProcessObjectIndex;
    process.idleCounters = {0};
    const PerfDataSpec withoutProcessor{AtSecond(3), {process}};

    Queue(withoutProcessor);
    ExpectCpuUsageError([&] { monitor.ProcessorCount(); }, kObjectMissing);
    Queue(Sample(0, {0, 0}));
    Queue(Sample(1, {kOneSecond / 4, kOneSecond}));
    Queue(withoutProcessor);
    EXPECT_EQ(monitor.ProcessorCount(), 2);
    monitor.TakeSample();
    ExpectCpuUsageError([&] { monitor.TakeSample(); }, kObjectMissing);
    EXPECT_EQ(Loads(), (std::vector<double>{0.75, 0.0}));
}

TEST_F(PerformanceDataMonitor, MissingCounterFixesTheCountButNoCounterOrTime) {
    PerfObjectSpec processor = ProcessorObjectSpec({kOneSecond, kOneSecond, kOneSecond});
    processor.counterIndexes = {test::kUserTimeCounterIndex};
    Queue(PerfDataSpec{AtSecond(0), {processor}});
    Queue(Sample(1, {kOneSecond, 0, 0}));

    ExpectCpuUsageError([&] { monitor.TakeSample(); }, kCounterMissing);
    EXPECT_EQ(monitor.ProcessorCount(), 3);
    EXPECT_EQ(script->bufferSizes.size(), 1u);
    EXPECT_EQ(monitor.ProcessorLoad(0), 0.0);  // still no sample at all
    monitor.TakeSample();
    // Measured from the start of the time scale: the failed sample left no time behind.
    EXPECT_GT(monitor.ProcessorLoad(0), 0.999999);
}

TEST_F(PerformanceDataMonitor, FailedQueryReadsThePreviousDataAgain) {
    Queue(Sample(0, {0}));
    Queue(Sample(1, {kOneSecond / 2}));
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(0), 0.5);
    monitor.TakeSample();  // nothing queued: the query fails, the buffer keeps the last data
    EXPECT_EQ(monitor.ProcessorLoad(0), 0.0);
}

// A good sample, then the same layout corrupted: each corruption must be reported, leave the
// loads of the good sample as they were, and read nothing outside the buffer.
TEST(PerformanceDataWalk, MalformedBuffersReadAsMissingObjectOrCounter) {
    PerfObjectSpec process;
    process.titleIndex = test::kProcessObjectIndex;
    process.idleCounters = {0, 0};
    PerfObjectSpec processor = ProcessorObjectSpec({kOneSecond / 2, kOneSecond / 4});
    processor.counterIndexes = {test::kUserTimeCounterIndex, 6};
    const PerfDataSpec spec{AtSecond(1), {process, processor}};
    const auto built = BuildPerformanceData(spec);
    const std::size_t object = built.objectOffsets[1];
    const std::size_t firstCounter = object + layout::object_type::kSize;
    const std::size_t idleCounter = firstCounter + layout::counter_definition::kSize;
    const std::size_t firstInstance = idleCounter + layout::counter_definition::kSize;
    // Instance definition, 8 bytes of name, then the counter block.
    const std::size_t firstBlock = firstInstance + layout::instance_definition::kSize + 8;
    constexpr std::uint32_t kFar = 0xFFFFFFF0;

    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        const std::string& message;
    };
    const Case cases[] = {
        {"objects start past the buffer", layout::data_block::kHeaderLength, kFar, kObjectMissing},
        {"no objects: only the first is looked at", layout::data_block::kNumObjectTypes, 0,
         kObjectMissing},
        {"object of length 0 ahead", built.objectOffsets[0] + layout::object_type::kTotalByteLength,
         0, kObjectMissing},
        {"object length leads past the buffer",
         built.objectOffsets[0] + layout::object_type::kTotalByteLength, kFar, kObjectMissing},
        {"negative instance count", object + layout::object_type::kNumInstances, 0xFFFFFFFF,
         kObjectMissing},
        {"more instances than the buffer holds", object + layout::object_type::kNumInstances,
         0x7FFFFFFF, kObjectMissing},
        {"counters start past the buffer", object + layout::object_type::kHeaderLength, kFar,
         kCounterMissing},
        {"no counters: only the first is looked at", object + layout::object_type::kNumCounters, 0,
         kCounterMissing},
        {"counter definition of length 0 ahead",
         firstCounter + layout::counter_definition::kByteLength, 0, kCounterMissing},
        {"instances start past the buffer", object + layout::object_type::kDefinitionLength, kFar,
         kCounterMissing},
        {"counter block past the buffer", firstInstance + layout::instance_definition::kByteLength,
         kFar, kCounterMissing},
        {"counter offset past the buffer", idleCounter + layout::counter_definition::kCounterOffset,
         kFar, kCounterMissing},
        // The first counter is readable, the second is not: neither may change.
        {"second instance past the buffer", firstBlock + layout::counter_block::kByteLength, kFar,
         kCounterMissing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto script = std::make_shared<QueryScript>();
        IdleCounterMonitor monitor{
            std::make_unique<PerformanceDataSource>(std::make_unique<ScriptedQuery>(script))};
        script->samples.push_back(built.bytes);
        monitor.TakeSample();
        const double before[] = {monitor.ProcessorLoad(0), monitor.ProcessorLoad(1)};

        std::vector<std::uint8_t> corrupt = built.bytes;
        test::PutPerfU32(corrupt, c.offset, c.value);
        script->samples.push_back(std::move(corrupt));
        ExpectCpuUsageError([&] { monitor.TakeSample(); }, c.message);
        EXPECT_EQ(monitor.ProcessorCount(), 2);
        EXPECT_EQ(monitor.ProcessorLoad(0), before[0]);
        EXPECT_EQ(monitor.ProcessorLoad(1), before[1]);
    }
}

TEST(PerformanceDataWalk, BufferShorterThanADataBlockHoldsNothing) {
    std::vector<std::uint8_t> bytes = BuildPerformanceData(Sample(0, {0})).bytes;
    bytes.resize(layout::data_block::kSize - 1);
    EXPECT_FALSE(FindProcessorObject(bytes));
    EXPECT_FALSE(ReadSystemTime(bytes));
}

}  // namespace
}  // namespace kestrune::cpuusage
