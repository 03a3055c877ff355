// The idle watchdog judges the encoder by the load of all processors together: a tick is
// idle when less than a tenth of one processor was busy in all, which a working encoder
// never leaves. Two idle ticks in a row during the same encoder end it. A sample that
// fails is skipped: the watchdog never ends an encoder on a measurement it could not make.
#include "adCpuUsage/CpuUsageError.h"
#include "processMP3/ProgressWindow.h"

namespace kestrune::processmp3 {

namespace {

constexpr double kIdleLoad = 0.1;

// The summed load of all processors since the last tick, or nothing when sampling failed.
std::optional<double> TotalLoad(cpuusage::CpuUsageMonitor& monitor) {
    try {
        monitor.TakeSample();
        double total = 0.0;
        const std::int32_t count = monitor.ProcessorCount();
        for (std::int32_t i = 0; i < count; ++i) {
            total += monitor.ProcessorLoad(i);
        }
        return total;
    } catch (const cpuusage::CpuUsageError&) {
        return std::nullopt;
    }
}

}  // namespace

void WatchdogTick(ProgressWindow& progress) {
    const std::optional<double> load = TotalLoad(progress.monitor);
    if (!load || !progress.process) {
        return;
    }
    if (*load >= kIdleLoad) {
        progress.idleSeen = false;
        return;
    }
    if (!progress.idleSeen) {
        progress.idleSeen = true;
        return;
    }
    progress.timer.SetEnabled(false);
    progress.window->SetTopmost(false);
    progress.killedByWatchdog = true;
    progress.process();
}

}  // namespace kestrune::processmp3
