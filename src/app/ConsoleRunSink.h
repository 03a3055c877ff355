// kestrune-batch's side of a run: one line on standard output for each file as it ends, the
// reason of each failure on standard error, a progress line there when it is a terminal, the
// watchdog ticked once a second, and Ctrl+C ending the running encoders.
#pragma once

#include "Unit1/RunSink.h"
#include "adCpuUsage/CpuUsageMonitor.h"

#include <chrono>
#include <cstdint>

namespace kestrune::app {

// The result word of a row's line.
std::string_view ResultWord(const unit1::RowResult& result);

// The row's line, without its line end: source, output, result, bytes before and after,
// seconds, separated by tabs.
std::string ResultLine(const unit1::RowResult& result);

class ConsoleRunSink final : public unit1::RunSink {
public:
    // The monitor must outlive the sink.
    ConsoleRunSink(cpuusage::CpuUsageMonitor& monitor, std::size_t rowCount);
    ~ConsoleRunSink() override;
    ConsoleRunSink(const ConsoleRunSink&) = delete;
    ConsoleRunSink& operator=(const ConsoleRunSink&) = delete;

    processmp3::EncoderWatch& EncoderStarted(const unit1::FileEntry& row,
                                             processmp3::WatchedEncoder encoder) override;
    processmp3::EncoderWatch EncoderEnded(const processmp3::EncoderWatch& watch) override;
    void EncoderNotStarted() override {}
    void Dispatch() override;
    void RowEnded(const unit1::RowResult& result) override;
    bool Stopping() const override;

    bool Interrupted() const { return interrupted_; }
    bool AllEncoded() const { return encoded_ == rowCount_; }

private:
    void ShowProgress();
    void ClearProgress();

    using Clock = std::chrono::steady_clock;
    processmp3::IdleWatchdog watchdog_;
    const std::size_t rowCount_;
    const bool progressShown_;
    const Clock::time_point started_ = Clock::now();
    Clock::time_point nextTick_ =
        started_ + std::chrono::milliseconds(processmp3::kWatchdogInterval);
    Clock::time_point nextProgress_ = started_;
    std::size_t ended_ = 0;
    std::size_t encoded_ = 0;
    std::int64_t bytesSaved_ = 0;
    bool interrupted_ = false;
    std::size_t progressLength_ = 0;  // characters of the progress line shown, 0 for none
};

}  // namespace kestrune::app
