// Linux /proc/stat as a sample source: the text parser, the tick conversion, and loads
// through the monitor from scripted readings.
#include "ExpectCpuUsageError.h"
#include "adCpuUsage/IdleCounterMonitor.h"
#include "adCpuUsage/ProcStatParser.h"
#include "adCpuUsage/ProcStatSource.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kestrune::cpuusage {
namespace {

using test::ExpectCpuUsageError;
using Ticks = std::vector<ProcessorIdleTicks>;

TEST(ProcStatParser, AddsIowaitToIdleForEveryProcessorLine) {
    struct Case {
        const char* what;
        std::string text;
        Ticks idleTicks;
    };
    const Case cases[] = {
        {"a kernel's text",
         "cpu  8328 0 5972 69673 398 0 187 0 0 0\n"
         "cpu0 3418 0 2267 36497 31 0 56 0 0 0\n"
         "cpu1 4910 0 3705 33175 367 0 131 0 0 0\n"
         "intr 229647 0 0 0 0 0 0 0\n"
         "ctxt 465148\nbtime 1765084712\nprocesses 3112\n",
         {{0, 36528}, {1, 33542}}},
        {"no iowait field", "cpu0 1 2 3 40\ncpu1 1 2 3 50", {{0, 40}, {1, 50}}},
        {"numbering with gaps",
         "cpu0 0 0 0 1 1\ncpu2 0 0 0 2 2\ncpu17 0 0 0 3 3\n",
         {{0, 2}, {2, 4}, {17, 6}}},
        {"blank runs", "cpu3   1\t2  3   4  5\n", {{3, 9}}},
        {"not well formed",
         "cpu0 1 2 3\ncpux 1 2 3 4 5\ncpu 1 2 3 4 5\ncpu1 1 2 x 4 5\ncpu2 1 2 3 -4 5\n"
         "cpu3 1 2 3 4 5x\nxcpu4 1 2 3 4 5\ncpu-1 1 2 3 4 5\n",
         {}},
        {"counts as large as 64 bits",
         "cpu0 0 0 0 18446744073709551615 0\n",
         {{0, 18446744073709551615u}}},
        {"count past 64 bits", "cpu0 0 0 0 18446744073709551616 0\n", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProcStatIdleTicks(c.text), c.idleTicks) << c.what;
    }
}

TEST(ProcStatSource, ConvertsTicksToHundredNanosecondUnits) {
    EXPECT_EQ(TicksToFileTimeUnits(100, 100), 10'000'000);
    EXPECT_EQ(TicksToFileTimeUnits(1, 100), 100'000);
    EXPECT_EQ(TicksToFileTimeUnits(1, 3), 3'333'333);
    EXPECT_EQ(TicksToFileTimeUnits(1'000, 1'000), 10'000'000);
    // Ticks whose product with 10^7 would not fit in 64 bits.
    EXPECT_EQ(TicksToFileTimeUnits(4'000'000'000'001, 1'000), 40'000'000'000'010'000);
}

struct ReaderScript {
    std::deque<std::optional<platform::ProcStatSnapshot>> readings;
};

class ScriptedReader final : public platform::ProcStatReader {
public:
    explicit ScriptedReader(std::shared_ptr<ReaderScript> script) : script_(std::move(script)) {}

    std::optional<platform::ProcStatSnapshot> Read() override {
        auto reading = std::move(script_->readings.front());
        script_->readings.pop_front();
        return reading;
    }

private:
    std::shared_ptr<ReaderScript> script_;
};

constexpr std::int64_t kOneSecond = 10'000'000;
constexpr std::int64_t kSomeTime = 134'410'942'020'050'000;

class ProcStatMonitor : public ::testing::Test {
protected:
    void Queue(std::string text, std::int64_t time, std::int64_t ticksPerSecond = 100) {
        script->readings.push_back(
            platform::ProcStatSnapshot{std::move(text), time, ticksPerSecond});
    }

    std::shared_ptr<ReaderScript> script = std::make_shared<ReaderScript>();
    IdleCounterMonitor monitor{
        std::make_unique<ProcStatSource>(std::make_unique<ScriptedReader>(script))};
};

TEST_F(ProcStatMonitor, LoadsFollowIdleTicksBetweenReadings) {
    Queue("cpu 0 0 0 0 0\ncpu0 5 0 5 1000 10\ncpu1 5 0 5 1000 10\ncpu2 0 0 0 0 0\n", kSomeTime);
    Queue("cpu 0 0 0 0 0\ncpu0 5 0 5 1090 20\ncpu1 5 0 5 1000 10\ncpu2 0 0 0 20 5\n",
          kSomeTime + kOneSecond);
    EXPECT_EQ(monitor.ProcessorCount(), 3);
    EXPECT_GT(monitor.ProcessorLoad(0), 0.999);  // measured from the start of the time scale
    monitor.TakeSample();
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(0), 0.0);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(1), 1.0);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(2), 0.75);
}

TEST_F(ProcStatMonitor, TicksAreScaledByTheKernelsTickRate) {
    Queue("cpu0 0 0 0 0 0\n", kSomeTime, 250);
    Queue("cpu0 0 0 0 125 0\n", kSomeTime + kOneSecond, 250);
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(0), 0.5);
}

TEST_F(ProcStatMonitor, ProcessorLeavingAfterTheFirstReadingReadsAsBusyAndShiftsNoOther) {
    Queue("cpu0 0 0 0 0 0\ncpu1 0 0 0 0 0\ncpu2 0 0 0 0 0\n", kSomeTime);
    Queue("cpu0 0 0 0 100 0\ncpu2 0 0 0 50 0\ncpu3 0 0 0 100 0\n", kSomeTime + kOneSecond);
    monitor.TakeSample();
    monitor.TakeSample();
    EXPECT_EQ(monitor.ProcessorCount(), 3);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(0), 0.0);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(1), 1.0);
    EXPECT_DOUBLE_EQ(monitor.ProcessorLoad(2), 0.5);
}

TEST_F(ProcStatMonitor, UnreadableOrEmptyReadingsAreErrors) {
    script->readings.push_back(std::nullopt);
    Queue("cpu0 0 0 0 0 0\n", kSomeTime, 0);
    Queue("cpu 1 2 3 4 5\nintr 0\n", kSomeTime);
    ExpectCpuUsageError([&] { monitor.TakeSample(); }, "Unable to read performance data");
    ExpectCpuUsageError([&] { monitor.TakeSample(); }, "Unable to read performance data");
    ExpectCpuUsageError([&] { monitor.ProcessorCount(); },
                        "Unable to locate the \"Processor\" performance object");
    Queue("cpu0 0 0 0 0 0\n", kSomeTime);
    EXPECT_EQ(monitor.ProcessorCount(), 1);
}

}  // namespace
}  // namespace kestrune::cpuusage
