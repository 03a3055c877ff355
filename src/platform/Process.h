// A child process started from one command line, hidden, with its standard handles on
// anonymous pipes, owned by one object: waiting with a time-out while the child's output is
// drained, terminating the child with everything it started, and reading how much processor
// time they used. Windows passes the command line to CreateProcessW and keeps the child in a
// job object; POSIX splits it with the Windows rules (CommandLine.h), starts the program
// without a shell, and keeps the child in a process group of its own.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace kestrune::platform {

// The most children WaitForAny waits for at once: Windows waits for at most 64 handles
// (MAXIMUM_WAIT_OBJECTS), and every system keeps to the same number.
inline constexpr int kMostWaitedProcesses = 64;

struct ProcessOptions {
    // Windows: a console of its own, kept hidden. POSIX: a session of its own, without a
    // controlling terminal.
    bool ownSession = false;
    // In the Windows levels: -2 lowest, 0 normal, 2 highest. POSIX maps them to nice steps.
    int priority = 0;
    // How many of the last bytes the child writes to its standard output and error are kept;
    // the rest is read and dropped.
    std::size_t keptOutput = 0;
    std::size_t keptErrorOutput = 0;
};

struct ProcessExit {
    std::uint32_t code = 0;  // the exit code; on Windows also the code Terminate gave
    int signal = 0;          // POSIX: the signal that killed the process; 0 when it exited
};

// Why a program could not be started.
struct StartError {
    enum class Kind { programNotFound, accessDenied, noResources, other };
    Kind kind = Kind::other;
    int systemCode = 0;  // errno on POSIX, GetLastError() on Windows
};

class ChildProcess {
public:
    // Starts the program named at the head of the command line (POSIX: searched on PATH when
    // the name has no "/") with the caller's environment and current folder, and returns at
    // once. Its standard input is a pipe that never delivers data and never ends; its output
    // and error go to pipes that Wait drains. On POSIX the child runs with LC_ALL=C.UTF-8
    // whatever the caller's locale, so that it reads the UTF-8 text of its arguments as such.
    static std::variant<ChildProcess, StartError> Start(const std::string& commandLine,
                                                        const ProcessOptions& options);

    ChildProcess(ChildProcess&&) noexcept;
    ChildProcess& operator=(ChildProcess&&) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is terminated first, so nothing it started outlives its owner.
    ~ChildProcess();

    // Waits up to `timeout` for the child to end, reading whatever it writes meanwhile so that
    // it never blocks on a full pipe. The exit status once it has ended (then and later),
    // nothing while it runs. A child whose status cannot be read reads as ended with
    // kLostExitCode.
    std::optional<ProcessExit> Wait(std::chrono::milliseconds timeout);

    // Waits up to `timeout` until one of the children has ended, reading what each writes
    // meanwhile. True when one has ended, now or before; Wait then answers its status at
    // once. At most kMostWaitedProcesses children are waited for.
    static bool WaitForAny(std::span<ChildProcess* const> children,
                           std::chrono::milliseconds timeout);

    // Ends the child and every process it started (Windows: the job, with the given exit code;
    // POSIX: the process group, by SIGKILL). Nothing once its end has been seen, and never
    // any other process.
    void Terminate(std::uint32_t exitCode);

    // The processor time the child and the processes it started have used since it started,
    // or nothing where the system gives no true figure (then callers judge otherwise).
    std::optional<std::chrono::nanoseconds> ProcessorTime();

    // The child's process id, as the system's tools name it.
    long ProcessId() const;

    // The last bytes the child wrote to its standard output (at most keptOutput) and error
    // (at most keptErrorOutput).
    const std::string& OutputTail() const;
    const std::string& ErrorOutputTail() const;

private:
    struct State;
    explicit ChildProcess(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
};

// The exit code reported for a process whose status cannot be read any more.
inline constexpr std::uint32_t kLostExitCode = 0xFFFFFFFF;

}  // namespace kestrune::platform
