// The Windows 9x monitor against a scripted dynamic-data registry: the order of key opens,
// reads and closes that starts, samples and stops the kernel statistic, and its errors.
#include "ExpectCpuUsageError.h"
#include "adCpuUsage/KernelStatisticMonitor.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kestrune::cpuusage {
namespace {

using test::ExpectCpuUsageError;

// Keys that exist, the percentage each read answers, and a log of every call.
struct RegistryScript {
    std::set<std::string> missingKeys;
    std::uint32_t usage = 0;
    std::vector<std::string> log;
};

class ScriptedKey final : public platform::DynDataKey {
public:
    ScriptedKey(std::shared_ptr<RegistryScript> script, std::string path)
        : script_(std::move(script)), path_(std::move(path)) {}
    ~ScriptedKey() override { script_->log.push_back("close " + path_); }

    std::optional<std::uint32_t> ReadUInt32(const std::string& valueName) override {
        script_->log.push_back("read " + path_ + " " + valueName);
        return script_->usage;
    }

private:
    std::shared_ptr<RegistryScript> script_;
    std::string path_;
};

class ScriptedRegistry final : public platform::DynDataRegistry {
public:
    explicit ScriptedRegistry(std::shared_ptr<RegistryScript> script)
        : script_(std::move(script)) {}

    std::unique_ptr<platform::DynDataKey> OpenKey(const std::string& path,
                                                  platform::DynDataAccess access) override {
        const bool all = access == platform::DynDataAccess::allAccess;
        script_->log.push_back("open " + path + (all ? " all" : " read"));
        if (script_->missingKeys.contains(path)) {
            return nullptr;
        }
        return std::make_unique<ScriptedKey>(script_, path);
    }

private:
    std::shared_ptr<RegistryScript> script_;
};

using Log = std::vector<std::string>;

const Log kStart = {
    "open PerfStats\\StartStat all",
    "read PerfStats\\StartStat KERNEL\\CPUUsage",
    "close PerfStats\\StartStat",
    "open PerfStats\\StatData read",
    "read PerfStats\\StatData KERNEL\\CPUUsage",
};
const Log kSample = {"read PerfStats\\StatData KERNEL\\CPUUsage"};
const Log kStop = {
    "close PerfStats\\StatData",
    "open PerfStats\\StopStat all",
    "read PerfStats\\StopStat KERNEL\\CPUUsage",
    "close PerfStats\\StopStat",
};

Log Concat(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class KernelStatistic : public ::testing::Test {
protected:
    std::shared_ptr<RegistryScript> script = std::make_shared<RegistryScript>();
    std::unique_ptr<KernelStatisticMonitor> monitor =
        std::make_unique<KernelStatisticMonitor>(std::make_unique<ScriptedRegistry>(script));
};

TEST_F(KernelStatistic, HasOneProcessorWithoutSampling) {
    EXPECT_EQ(monitor->ProcessorCount(), 1);
    for (const std::int32_t index : {1, -1, 2}) {
        ExpectCpuUsageError([&] { monitor->ProcessorLoad(index); }, "CPU index out of bounds");
    }
    EXPECT_EQ(script->log, Log{});
}

TEST_F(KernelStatistic, FirstSampleStartsTheStatisticThenReadsIt) {
    script->usage = 37;
    monitor->TakeSample();
    EXPECT_EQ(script->log, kStart);
    EXPECT_DOUBLE_EQ(monitor->ProcessorLoad(0), 0.37);
    monitor->TakeSample();
    EXPECT_EQ(script->log, Concat({kStart, kSample}));
}

TEST_F(KernelStatistic, LoadReportsTheLastSampleWithoutReadingAgain) {
    script->usage = 80;
    monitor->TakeSample();
    script->usage = 5;
    EXPECT_DOUBLE_EQ(monitor->ProcessorLoad(0), 0.8);
    EXPECT_EQ(script->log, kStart);
}

TEST_F(KernelStatistic, LoadBeforeAnySampleStartsTheStatistic) {
    script->usage = 100;
    EXPECT_DOUBLE_EQ(monitor->ProcessorLoad(0), 1.0);
    EXPECT_EQ(script->log, kStart);
}

TEST_F(KernelStatistic, StartKeyThatCannotBeOpenedLeavesTheStatisticStopped) {
    script->missingKeys = {"PerfStats\\StartStat"};
    ExpectCpuUsageError([&] { monitor->TakeSample(); }, "Unable to start performance monitoring");
    script->missingKeys.clear();
    script->log.clear();
    monitor->TakeSample();
    EXPECT_EQ(script->log, kStart);
}

TEST_F(KernelStatistic, DataKeyThatCannotBeOpenedMakesTheNextSampleStartAgain) {
    script->missingKeys = {"PerfStats\\StatData"};
    ExpectCpuUsageError([&] { monitor->TakeSample(); }, "Unable to read performance data");
    EXPECT_EQ(script->log, (Log{kStart.begin(), kStart.begin() + 4}));
    script->missingKeys.clear();
    script->log.clear();
    monitor->StopSampling();  // not started: nothing to stop
    monitor->TakeSample();
    EXPECT_EQ(script->log, kStart);
}

TEST_F(KernelStatistic, StopSamplingClosesTheDataKeyAndStopsTheStatisticOnce) {
    monitor->StopSampling();
    EXPECT_EQ(script->log, Log{});
    monitor->TakeSample();
    monitor->StopSampling();
    monitor->StopSampling();
    EXPECT_EQ(script->log, Concat({kStart, kStop}));
    monitor.reset();
    EXPECT_EQ(script->log, Concat({kStart, kStop}));
}

TEST_F(KernelStatistic, EndOfTheMonitorStopsARunningStatistic) {
    monitor->TakeSample();
    monitor.reset();
    EXPECT_EQ(script->log, Concat({kStart, kStop}));
}

TEST_F(KernelStatistic, StopKeyThatCannotBeOpenedIsSilent) {
    script->missingKeys = {"PerfStats\\StopStat"};
    monitor->TakeSample();
    monitor->StopSampling();
    EXPECT_EQ(script->log, Concat({kStart, {kStop.begin(), kStop.begin() + 2}}));
    script->log.clear();
    monitor->TakeSample();  // stopped: the next sample starts the statistic again
    EXPECT_EQ(script->log, kStart);
}

}  // namespace
}  // namespace kestrune::cpuusage
