// The window of a running batch: which file was started last, an activity bar that moves
// while the encoders work, an overall bar that counts finished rows, the abort button, and
// the idle watchdog's timer and what it knows of each running encoder. It exists only while
// a run is in progress.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"
#include "processMP3/IdleWatchdog.h"
#include "toolkit/Toolkit.h"

#include <memory>
#include <string>

namespace kestrune::processmp3 {

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
    // What the watchdog knows of the encoders running now (BeginEncoder, EndEncoder); the
    // timer ticks it.
    IdleWatchdog watchdog;
};

// Stops the watchdog while it lives, for a modal message box shown during a run: nobody
// waits for the encoders then, so one that has ended would look idle.
class WatchdogPause {
public:
    explicit WatchdogPause(ProgressWindow& progress);
    ~WatchdogPause();
    WatchdogPause(const WatchdogPause&) = delete;
    WatchdogPause& operator=(const WatchdogPause&) = delete;

private:
    toolkit::Timer& timer_;
    bool wasRunning_;
};

// Creates the progress window of a run over the rows of the main window's list.
std::unique_ptr<ProgressWindow> CreateProgressWindow(toolkit::Window& owner, int rowCount,
                                                     cpuusage::CpuUsageMonitor& monitor);

// Overall bar back to 0 of rowCount, timer started.
void ResetProgress(ProgressWindow& progress, int rowCount);

// The run has started the encoder of the row named `name`: the status line names the row,
// and the watchdog and the abort button act on the encoder from now on, its processor time
// read for the first time. The answer is the encoder's place in `encoders`.
EncoderWatch& BeginEncoder(ProgressWindow& progress, const std::string& name,
                           WatchedEncoder encoder);

// One wait slice of the run has passed: the activity bar moves on by one step and starts
// again from 0 at its end. It is never reset between rows.
void StepActivity(ProgressWindow& progress);

// The encoder has ended: the watchdog and the abort button leave it, a watchdog that
// stopped itself runs again, and the overall bar counts the row. Answers what the watchdog
// and the abort button did to it.
EncoderWatch EndEncoder(ProgressWindow& progress, const EncoderWatch& watch);

// The timer's tick: ends each encoder that has been idle for two ticks in a row, and only
// those; once it has ended one, it stops until the run sees that encoder end.
void WatchdogTick(ProgressWindow& progress);

// The abort button: ends every encoder running now; the run goes on with the next rows.
void AbortEncoder(ProgressWindow& progress);

}  // namespace kestrune::processmp3
