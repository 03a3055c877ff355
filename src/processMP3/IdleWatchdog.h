// The idle watchdog of a run: what it knows of each running encoder, and the tick that ends an
// encoder it has found idle twice in a row. It knows no window: the progress window ticks it
// with its timer, kestrune-batch with its clock.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"

#include <chrono>
#include <functional>
#include <list>
#include <optional>

namespace kestrune::processmp3 {

// What the watchdog and the abort need of a running encoder.
struct WatchedEncoder {
    // Ends the encoder with the exit code of a terminated encoder.
    std::function<void()> terminate;
    // The processor time the encoder and what it started have used so far; nothing where the
    // system gives no true figure.
    std::function<std::optional<std::chrono::nanoseconds>()> processorTime;
    // True once the encoder's process has ended, whether or not the run has seen it yet: its
    // exit status decides the row, never the watchdog.
    std::function<bool()> hasEnded = {};
};

// One running encoder as the watchdog and the abort see it.
struct EncoderWatch {
    WatchedEncoder encoder;
    // The encoder's last processor-time reading and when it was taken: the next tick measures
    // from there.
    std::optional<std::pair<std::chrono::steady_clock::time_point, std::chrono::nanoseconds>>
        lastReading = {};
    // The last watchdog tick found this encoder idle.
    bool idleSeen = false;
    // The watchdog ended this encoder.
    bool killedByWatchdog = false;
    // The user ended this encoder (the abort button, Ctrl+C).
    bool abortedByUser = false;
};

using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

class IdleWatchdog {
public:
    // The monitor must outlive the watchdog.
    explicit IdleWatchdog(cpuusage::CpuUsageMonitor& monitor) : monitor_(monitor) {}

    // An encoder has just started: the watchdog and the abort act on it from now on, its
    // processor time counted from here. The answer keeps its place while others come and go.
    EncoderWatch& Begin(WatchedEncoder encoder);

    // The encoder has ended: the watchdog leaves it. Answers what was done to it.
    EncoderWatch End(const EncoderWatch& watch);

    // Ends each encoder that has been idle for two ticks in a row, and only those. True when
    // it ended one.
    bool Tick();

    // Ends every encoder running now, each marked as ended by the user.
    void AbortAll();

    // The encoders running now, in the order they started.
    const std::list<EncoderWatch>& Encoders() const { return encoders_; }

    // Where the watchdog takes the time from; tests give it a clock of their own.
    SteadyClock clock = [] { return std::chrono::steady_clock::now(); };

private:
    cpuusage::CpuUsageMonitor& monitor_;
    std::list<EncoderWatch> encoders_;
};

inline constexpr int kWatchdogInterval = 1000;  // milliseconds between two ticks

}  // namespace kestrune::processmp3
