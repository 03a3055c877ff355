// A CPU usage monitor that answers loads from a script, one sample per TakeSample, for
// tests of the idle watchdog. An empty sample in the script makes TakeSample fail; when the
// script runs out, the last sample repeats.
#pragma once

#include "adCpuUsage/CpuUsageError.h"
#include "adCpuUsage/CpuUsageMonitor.h"

#include <deque>
#include <vector>

namespace kestrune::test {

class ScriptedCpuMonitor final : public cpuusage::CpuUsageMonitor {
public:
    explicit ScriptedCpuMonitor(std::vector<double> steadyLoads)
        : current_(std::move(steadyLoads)) {}

    void Then(std::vector<double> loads) { script_.push_back(std::move(loads)); }

    void TakeSample() override {
        ++samples;
        if (!script_.empty()) {
            current_ = script_.front();
            script_.pop_front();
        }
        if (current_.empty()) {
            throw cpuusage::CpuUsageError("Unable to read performance data");
        }
    }
    std::int32_t ProcessorCount() override { return static_cast<std::int32_t>(current_.size()); }
    double ProcessorLoad(std::int32_t index) override {
        if (index < 0 || index >= ProcessorCount()) {
            throw cpuusage::CpuUsageError("CPU index out of bounds");
        }
        return current_[static_cast<std::size_t>(index)];
    }

    int samples = 0;

private:
    std::vector<double> current_;
    std::deque<std::vector<double>> script_;
};

}  // namespace kestrune::test
