// Child processes started from one command line with their standard handles on anonymous
// pipes: creating pipes and processes, waiting with a time-out while draining the pipes the
// parent reads, and terminating. Windows passes the command line to CreateProcessW; POSIX
// splits it with the Windows rules (CommandLine.h) and starts the program without a shell.
#pragma once

#include "platform/Handle.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrune::platform {

// The child gets a console of its own (POSIX: a session of its own, no controlling terminal).
inline constexpr std::uint32_t kCreateNewConsole = 0x10;
inline constexpr std::int32_t kThreadPriorityNormal = 0;

struct PipeEnds {
    NativeHandle readEnd = kNoHandle;
    NativeHandle writeEnd = kNoHandle;
};

// Creates an anonymous pipe with the default buffer size; nothing on failure. Both ends can
// be handed to a child as standard handles by StartProcess.
std::optional<PipeEnds> CreatePipe();

// Keeps a handle the parent holds from being inherited by any child started later.
void KeepFromChildren(NativeHandle handle);

struct StandardHandles {
    NativeHandle input = kNoHandle;
    NativeHandle output = kNoHandle;
    NativeHandle error = kNoHandle;
};

struct StartedProcess {
    NativeHandle processHandle = kNoHandle;
    NativeHandle threadHandle = kNoHandle;  // the primary thread (POSIX: the process again)
};

// Starts the program named at the head of the command line (POSIX: searched on PATH when
// the name has no "/"), hidden, with the given creation flags, the caller's environment and
// current folder, and the given standard handles. Returns immediately; nothing when the
// program cannot be started. On POSIX the child's character locale is UTF-8 even when the
// caller's is not, so that it reads the UTF-8 text of its arguments as such.
std::optional<StartedProcess> StartProcess(const std::string& commandLine,
                                           std::uint32_t creationFlags,
                                           const StandardHandles& handles);

// Sets the priority of a started process's primary thread, in the Windows levels
// (-2 lowest .. 0 normal .. 2 highest); failures are ignored.
void SetThreadPriority(NativeHandle threadHandle, std::int32_t priority);

// The exit code reported for a process whose status cannot be read any more.
inline constexpr std::uint32_t kLostExitCode = 0xFFFFFFFF;

struct ProcessExit {
    std::uint32_t code = 0;  // the exit code; on Windows also the code TerminateProcess gave
    int signal = 0;          // POSIX: the signal that killed the process; 0 when it exited
};

// A pipe read end to be drained while waiting. `onData` receives what arrives (may be empty:
// the data is discarded); `atEnd` is set once the writers have all closed the pipe.
struct DrainedPipe {
    NativeHandle readEnd = kNoHandle;
    std::function<void(std::string_view)> onData;
    bool atEnd = false;
};

// Waits up to `timeout` for the process to end, reading whatever arrives meanwhile on the
// pipes not yet at their end, so that a child never blocks on a full pipe. Returns the exit
// status once the process has ended, nothing while it runs; a handle that cannot be waited
// on reads as ended with kLostExitCode. After the end has been reported,
// the handle may only be closed or terminated (which then does nothing).
std::optional<ProcessExit> WaitForProcess(NativeHandle processHandle,
                                          std::chrono::milliseconds timeout,
                                          std::span<DrainedPipe> pipes);

// Ends the process (Windows: with the given exit code; POSIX: killed by SIGKILL). Has no
// effect on a process that has already ended, and never reaches any other process.
void TerminateProcess(NativeHandle processHandle, std::uint32_t exitCode);

}  // namespace kestrune::platform
