// The idle watchdog judges the encoder by the processor time it and the processes it started
// have used: a tick is idle when that is less than a tenth of the time since the last
// reading. What the rest of the machine does never counts. Where the system gives no true
// figure for the encoder, the tick falls back to the load of all processors together (idle
// below a tenth of one processor in all); where that cannot be sampled either, the tick is
// skipped. Two idle ticks in a row during the same encoder end it.
#include "adCpuUsage/CpuUsageError.h"
#include "processMP3/ProgressWindow.h"

#include <utility>

namespace kestrune::processmp3 {

namespace {

constexpr double kIdleShare = 0.1;  // of one processor

// The summed load of all processors since the last sample, or nothing when sampling failed.
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

enum class Verdict { idle, busy, unknown };

Verdict FromShare(bool belowIdleShare) {
    return belowIdleShare ? Verdict::idle : Verdict::busy;
}

// The verdict by the encoder's own processor time since its last reading; unknown on the
// first reading. Nothing when the time cannot be read now.
std::optional<Verdict> ByEncoderTime(ProgressWindow& progress) {
    const auto used = progress.processorTime ? progress.processorTime() : std::nullopt;
    if (!used) {
        return std::nullopt;
    }
    const auto now = progress.clock();
    const auto before = std::exchange(progress.lastReading, std::pair{now, *used});
    if (!before) {
        return Verdict::unknown;
    }
    const std::chrono::duration<double> elapsed = now - before->first;
    const std::chrono::duration<double> busy = *used - before->second;
    return FromShare(busy.count() < kIdleShare * elapsed.count());
}

Verdict JudgeTick(ProgressWindow& progress) {
    if (const auto verdict = ByEncoderTime(progress)) {
        return *verdict;
    }
    const auto load = TotalLoad(progress.monitor);
    return load ? FromShare(*load < kIdleShare) : Verdict::unknown;
}

}  // namespace

void WatchdogTick(ProgressWindow& progress) {
    if (!progress.process) {
        return;
    }
    const Verdict verdict = JudgeTick(progress);
    if (verdict == Verdict::unknown) {
        return;
    }
    if (verdict == Verdict::busy) {
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
