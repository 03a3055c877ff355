// The encoder of one row as a hidden child process: its three pipes, its process and
// thread, and what the run needs while it waits (the exit status and the end of what the
// encoder wrote to its standard error). The run owns one and reuses it row by row.
#pragma once

#include "platform/Handle.h"
#include "platform/Process.h"

#include <chrono>
#include <cstdint>
#include <optional>
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
    // Closes the handles; an encoder still running is left to finish on its own.
    ~EncoderProcess() = default;

    // Starts the encoder from the full command line (its path, then its arguments) with its
    // standard handles on pipes, and returns at once. False when it cannot be started; then
    // ProcessHandle() and ThreadHandle() are kNoHandle. Releases what an earlier, ended
    // encoder left.
    bool StartEncoder(const std::string& commandLine, std::uint32_t creationFlags,
                      std::int32_t threadPriority);

    // Waits up to `timeout` for the encoder to end, reading its standard output and error
    // meanwhile. True once it has ended (or when none was started); every handle is then
    // closed and ExitStatus() holds its status.
    bool WaitForEnd(std::chrono::milliseconds timeout);

    // Ends the running encoder with kTerminatedExitCode. Does nothing when no encoder is
    // running, in particular once its end has been seen.
    void Terminate();

    bool IsRunning() const { return processHandle.IsOpen(); }
    platform::NativeHandle ProcessHandle() const { return processHandle.Get(); }
    platform::NativeHandle ThreadHandle() const { return threadHandle.Get(); }
    // The status of the last encoder that ended; nothing before that.
    const std::optional<platform::ProcessExit>& ExitStatus() const { return exitStatus; }
    // The last kStdErrTailSize bytes the last encoder wrote to its standard error.
    const std::string& StdErrTail() const { return stdErrTail; }

private:
    void CloseAll();
    bool CreatePipes();

    // The write end of standard input is held open and never written, so the encoder never
    // sees the end of its input.
    platform::OwnedHandle readStdIn;
    platform::OwnedHandle writeStdIn;
    platform::OwnedHandle readStdOut;
    platform::OwnedHandle writeStdOut;
    platform::OwnedHandle readStdErr;
    platform::OwnedHandle writeStdErr;
    platform::OwnedHandle processHandle;
    platform::OwnedHandle threadHandle;
    std::optional<platform::ProcessExit> exitStatus;
    std::string stdErrTail;
};

}  // namespace kestrune::unit1
