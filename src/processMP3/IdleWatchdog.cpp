// The idle watchdog judges each running encoder by the processor time it and the processes
// it started have used: a tick is idle when that is less than a tenth of the time since the
// last reading. What the rest of the machine does never counts. Where the system gives no
// true figure for an encoder, the tick falls back to the load of all processors together
// (idle below a tenth of one processor in all); where that cannot be sampled either, the
// tick is skipped. Two idle ticks in a row of one encoder end that encoder only. An encoder
// that has ended is never judged: the timer may tick while nobody waits for the encoders
// (a window drag or a menu on Windows runs a loop of its own), and an ended encoder looks idle.
#include "processMP3/IdleWatchdog.h"

#include "adCpuUsage/CpuUsageError.h"

#include <algorithm>
#include <utility>

namespace kestrune::processmp3 {

namespace {

// Idle is below a tenth of one processor. Times are compared as integers, so that a share
// right at the limit reads the same on every processor, x87 included.
constexpr int kIdleShareDivisor = 10;

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
std::optional<Verdict> ByEncoderTime(const SteadyClock& clock, EncoderWatch& watch) {
    const auto used = watch.encoder.processorTime ? watch.encoder.processorTime() : std::nullopt;
    if (!used) {
        return std::nullopt;
    }
    const auto now = clock();
    const auto before = std::exchange(watch.lastReading, std::pair{now, *used});
    if (!before) {
        return Verdict::unknown;
    }
    const auto elapsed = now - before->first;
    const auto busy = *used - before->second;
    return FromShare(busy * kIdleShareDivisor < elapsed);
}

// The verdict by the load of the whole machine, sampled at most once per tick, for encoders
// whose own time cannot be read.
class MachineVerdict {
public:
    explicit MachineVerdict(cpuusage::CpuUsageMonitor& monitor) : monitor_(monitor) {}

    Verdict Get() {
        if (!sampled_) {
            const auto load = TotalLoad(monitor_);
            verdict_ = load ? FromShare(*load * kIdleShareDivisor < 1.0) : Verdict::unknown;
            sampled_ = true;
        }
        return verdict_;
    }

private:
    cpuusage::CpuUsageMonitor& monitor_;
    bool sampled_ = false;
    Verdict verdict_ = Verdict::unknown;
};

// Counts the tick's verdict for the encoder; true when it is the second idle one in a row.
bool StalledAfter(Verdict verdict, EncoderWatch& watch) {
    if (verdict == Verdict::busy) {
        watch.idleSeen = false;
    } else if (verdict == Verdict::idle) {
        if (watch.idleSeen) {
            return true;
        }
        watch.idleSeen = true;
    }
    return false;
}

}  // namespace

EncoderWatch& IdleWatchdog::Begin(WatchedEncoder encoder) {
    EncoderWatch& watch = encoders_.emplace_back(EncoderWatch{.encoder = std::move(encoder)});
    // An encoder that has just started has used no processor time yet. Reading it would cost
    // a walk through the system's processes for every row started; what it did before this
    // moment only counts as work, so the first tick can never take it for idle wrongly.
    if (watch.encoder.processorTime) {
        watch.lastReading.emplace(clock(), std::chrono::nanoseconds(0));
    }
    return watch;
}

EncoderWatch IdleWatchdog::End(const EncoderWatch& watch) {
    const auto place = std::ranges::find_if(
        encoders_, [&watch](const EncoderWatch& running) { return &running == &watch; });
    EncoderWatch ended = std::move(*place);
    encoders_.erase(place);
    return ended;
}

bool IdleWatchdog::Tick() {
    MachineVerdict machine(monitor_);
    bool fired = false;
    for (EncoderWatch& watch : encoders_) {
        if (watch.killedByWatchdog || watch.abortedByUser) {
            continue;  // already being ended
        }
        if (watch.encoder.hasEnded && watch.encoder.hasEnded()) {
            continue;
        }
        const std::optional<Verdict> own = ByEncoderTime(clock, watch);
        const Verdict verdict = own ? *own : machine.Get();
        if (StalledAfter(verdict, watch)) {
            watch.killedByWatchdog = true;
            watch.encoder.terminate();
            fired = true;
        }
    }
    return fired;
}

void IdleWatchdog::AbortAll() {
    for (EncoderWatch& watch : encoders_) {
        watch.abortedByUser = true;
        watch.encoder.terminate();
    }
}

}  // namespace kestrune::processmp3
