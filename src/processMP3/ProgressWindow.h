// The window of a running batch: which file is encoded, an activity bar that moves while
// the encoder works, an overall bar that counts finished rows, the abort button, and the
// idle watchdog's timer and flags. It exists only while a run is in progress.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"
#include "toolkit/Toolkit.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kestrune::processmp3 {

// What the watchdog and the abort button need of the encoder being waited for.
struct WatchedEncoder {
    // Ends the encoder with the exit code of a terminated encoder.
    std::function<void()> terminate;
    // The processor time the encoder and what it started have used so far; nothing where the
    // system gives no true figure.
    std::function<std::optional<std::chrono::nanoseconds>()> processorTime;
};

using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

class ProgressWindow {
public:
    // Builds the window over its owner, hidden, and resets it for a run of rowCount rows.
    // The monitor must outlive the window.
    ProgressWindow(toolkit::Window& owner, int rowCount, cpuusage::CpuUsageMonitor& monitor);
    // Stops the timer before the window and its controls go.
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // The window owns every control below; it is declared first so it goes last.
    const std::unique_ptr<toolkit::Window> window;
    toolkit::Label& doneLabel;
    toolkit::Label& statusLabel;
    toolkit::Button& abortButton;
    toolkit::ProgressBar& overallBar;
    toolkit::ProgressBar& activityBar;
    toolkit::Timer& timer;
    cpuusage::CpuUsageMonitor& monitor;

    // Ends the encoder being waited for with the exit code of a terminated encoder; empty
    // while no encoder runs. Set by the run for each encoder (BeginEncoder).
    std::function<void()> process;
    std::function<std::optional<std::chrono::nanoseconds>()> processorTime;
    // The encoder's last processor-time reading and when it was taken: the next tick measures
    // from there.
    std::optional<std::pair<std::chrono::steady_clock::time_point, std::chrono::nanoseconds>>
        lastReading;
    // Where the watchdog takes the time from; tests give it a clock of their own.
    SteadyClock clock = [] { return std::chrono::steady_clock::now(); };
    // The last watchdog tick during this encoder found it idle.
    bool idleSeen = false;
    // The watchdog ended this encoder.
    bool killedByWatchdog = false;
    // The abort button ended this encoder.
    bool abortedByUser = false;
};

inline constexpr int kWatchdogInterval = 1000;  // milliseconds between two load samples

// Creates the progress window of a run over the rows of the main window's list.
std::unique_ptr<ProgressWindow> CreateProgressWindow(toolkit::Window& owner, int rowCount,
                                                     cpuusage::CpuUsageMonitor& monitor);

// Overall bar back to 0 of rowCount, timer started, watchdog flags cleared.
void ResetProgress(ProgressWindow& progress, int rowCount);

// The run has started the encoder of the row named `name`: the status line names the row,
// and the watchdog and the abort button act on the encoder from now on, with their flags
// cleared and its processor time read for the first time.
void BeginEncoder(ProgressWindow& progress, const std::string& name, WatchedEncoder encoder);

// One wait slice of the run has passed: the activity bar moves on by one step and starts
// again from 0 at its end. It is never reset between rows.
void StepActivity(ProgressWindow& progress);

// The encoder has ended: nothing is left for the watchdog or the abort button to end, a
// watchdog that stopped itself runs again, and the overall bar counts the row.
void EndEncoder(ProgressWindow& progress);

// The timer's tick: ends an encoder that has been idle for two ticks in a row.
void WatchdogTick(ProgressWindow& progress);

// The abort button: ends the current encoder only; the run goes on with the next row.
void AbortEncoder(ProgressWindow& progress);

}  // namespace kestrune::processmp3
