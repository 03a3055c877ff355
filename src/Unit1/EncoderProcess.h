// The encoder of one row as a hidden child process, and what the run needs of it: the exit
// status, the end of what it wrote to its standard error, why it could not start, and how
// much processor time it has used. The run has one for each row it is encoding.
#pragma once

#include "platform/Process.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrune::unit1 {

// Exit code of an encoder ended by the watchdog or the abort button.
inline constexpr std::uint32_t kTerminatedExitCode = 4;
// How much of the encoder's standard error is kept for an error report.
inline constexpr std::size_t kStdErrTailSize = 4096;

class EncoderProcess {
public:
    EncoderProcess() = default;
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Starts the encoder from the full command line (its path, then its arguments) in a
    // console of its own, hidden, at normal priority, and returns at once. False when it
    // cannot be started; StartError() then says why. An earlier encoder must have ended.
    bool StartEncoder(const std::string& commandLine);

    // Waits up to `timeout` for the encoder to end, reading its output meanwhile. True once
    // it has ended (or when none was started); ExitStatus() then holds its status.
    bool WaitForEnd(std::chrono::milliseconds timeout);

    // Waits up to `timeout` until one of the encoders has ended, reading the output of each
    // meanwhile. True once one has ended (or one was not running); the ExitStatus() of each
    // that has ended then holds its status.
    static bool WaitForAnyEnd(std::span<EncoderProcess* const> encoders,
                              std::chrono::milliseconds timeout);

    // Ends the running encoder, with everything it started, with kTerminatedExitCode. Does
    // nothing when no encoder is running, in particular once its end has been seen.
    void Terminate();

    bool IsRunning() const { return child_.has_value() && !exitStatus_.has_value(); }
    // The processor time the running encoder has used with what it started; nothing when
    // none runs or the system gives no true figure.
    std::optional<std::chrono::nanoseconds> ProcessorTime();
    // The status of the last encoder that ended; nothing before that.
    const std::optional<platform::ProcessExit>& ExitStatus() const { return exitStatus_; }
    // The last kStdErrTailSize bytes the last encoder wrote to its standard error.
    std::string StdErrTail() const;
    // Why the last start failed.
    const platform::StartError& StartError() const { return startError_; }

private:
    std::optional<platform::ChildProcess> child_;
    std::optional<platform::ProcessExit> exitStatus_;
    platform::StartError startError_;
};

}  // namespace kestrune::unit1
