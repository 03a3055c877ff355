// POSIX processes: posix_spawnp without a shell, the arguments split by the Windows rules,
// the standard handles duplicated onto the pipe ends. Every descriptor the parent opens is
// close-on-exec, so a child inherits only its three standard handles. A started process is
// held through a pidfd (Linux 5.4 and later), so waiting and terminating always reach that
// process, even after it has been reaped and its id given to another.
#include "platform/Process.h"

#include "platform/CommandLine.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

extern char** environ;

namespace kestrune::platform {

namespace {

constexpr std::size_t kReadChunk = 65536;
// A Windows priority level moves a thread about as far as five nice steps.
constexpr int kNiceStepsPerPriorityLevel = 5;
// Reads after the end that collect what the child left in its pipes; bounded because a
// grandchild may still hold a pipe open and keep writing.
constexpr int kFinalDrainRounds = 64;

int OpenPidfd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

bool InheritedLocaleIsUtf8() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            std::string lower(value);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            return lower.find("utf-8") != std::string::npos ||
                   lower.find("utf8") != std::string::npos;
        }
    }
    return false;
}

// The caller's environment, with a UTF-8 character locale when the caller's is not: under
// the C locale an encoder cannot convert non-ASCII argument text and drops it.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    if (!InheritedLocaleIsUtf8()) {
        std::erase_if(environment, [](const std::string& entry) {
            return entry.starts_with("LC_ALL=") || entry.starts_with("LC_CTYPE=");
        });
        environment.emplace_back("LC_CTYPE=C.UTF-8");
    }
    return environment;
}

// The null-terminated pointer array that exec-style calls take, over the given texts.
std::vector<char*> PointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

struct SpawnSetup {
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

std::optional<pid_t> PidOfPidfd(NativeHandle pidfd) {
    std::ifstream info("/proc/self/fdinfo/" + std::to_string(pidfd));
    std::string line;
    while (std::getline(info, line)) {
        if (line.starts_with("Pid:")) {
            const long pid = std::strtol(line.c_str() + 4, nullptr, 10);
            return pid > 0 ? std::optional<pid_t>(static_cast<pid_t>(pid)) : std::nullopt;
        }
    }
    return std::nullopt;
}

void ReadOnce(DrainedPipe& pipe) {
    std::array<char, kReadChunk> buffer;
    const ssize_t got = ::read(static_cast<int>(pipe.readEnd), buffer.data(), buffer.size());
    if (got > 0) {
        if (pipe.onData) {
            pipe.onData(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        }
    } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
        pipe.atEnd = true;
    }
}

struct PollOutcome {
    bool ended = false;
    bool readSome = false;
};

// Polls the process and the pipes not yet at their end for up to timeoutMs, then reads
// each ready pipe once.
PollOutcome PollOnce(NativeHandle pidfd, std::span<DrainedPipe> pipes, int timeoutMs) {
    std::vector<pollfd> polled{{static_cast<int>(pidfd), POLLIN, 0}};
    std::vector<DrainedPipe*> drained;
    for (DrainedPipe& pipe : pipes) {
        if (!pipe.atEnd && pipe.readEnd != kNoHandle) {
            polled.push_back({static_cast<int>(pipe.readEnd), POLLIN, 0});
            drained.push_back(&pipe);
        }
    }
    PollOutcome outcome;
    if (::poll(polled.data(), polled.size(), timeoutMs) <= 0) {
        return outcome;
    }
    for (std::size_t i = 0; i < drained.size(); ++i) {
        if (polled[i + 1].revents != 0) {
            ReadOnce(*drained[i]);
            outcome.readSome = true;
        }
    }
    outcome.ended = polled[0].revents != 0;
    return outcome;
}

ProcessExit Reap(NativeHandle pidfd) {
    siginfo_t info{};
    if (::waitid(P_PIDFD, static_cast<id_t>(pidfd), &info, WEXITED) != 0) {
        return ProcessExit{.code = kLostExitCode};
    }
    if (info.si_code == CLD_EXITED) {
        return ProcessExit{.code = static_cast<std::uint32_t>(info.si_status)};
    }
    return ProcessExit{.signal = info.si_status};
}

}  // namespace

std::optional<PipeEnds> CreatePipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    return PipeEnds{ends[0], ends[1]};
}

void KeepFromChildren(NativeHandle handle) {
    const int fd = static_cast<int>(handle);
    const int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    }
}

std::optional<StartedProcess> StartProcess(const std::string& commandLine,
                                           std::uint32_t creationFlags,
                                           const StandardHandles& handles) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty()) {
        return std::nullopt;
    }
    std::vector<std::string> environment = ChildEnvironment();
    const std::vector<char*> argv = PointersTo(arguments);
    const std::vector<char*> envp = PointersTo(environment);

    // Only the three standard handles reach the child, even from descriptors that some
    // library opened without close-on-exec.
    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, static_cast<int>(handles.input), 0);
    posix_spawn_file_actions_adddup2(&setup.actions, static_cast<int>(handles.output), 1);
    posix_spawn_file_actions_adddup2(&setup.actions, static_cast<int>(handles.error), 2);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
    // The child starts with default signal handling and nothing blocked, whatever the caller
    // ignores or blocks.
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&setup.attributes, &all);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    if ((creationFlags & kCreateNewConsole) != 0) {
        flags |= POSIX_SPAWN_SETSID;
    }
    posix_spawnattr_setflags(&setup.attributes, flags);

    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv.front(), &setup.actions, &setup.attributes, argv.data(),
                       envp.data()) != 0) {
        return std::nullopt;
    }
    OwnedHandle process(OpenPidfd(pid));
    OwnedHandle thread(OpenPidfd(pid));
    if (!process.IsOpen() || !thread.IsOpen()) {
        // A child without a pidfd could not be ended safely later. It is not reaped yet, so
        // its id still names it here.
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    return StartedProcess{.processHandle = process.Release(), .threadHandle = thread.Release()};
}

void SetThreadPriority(NativeHandle threadHandle, std::int32_t priority) {
    // The child has not been reaped yet, so its id still names it.
    const std::optional<pid_t> pid = PidOfPidfd(threadHandle);
    if (!pid) {
        return;
    }
    errno = 0;
    const int callerNice = ::getpriority(PRIO_PROCESS, 0);
    if (errno != 0) {
        return;
    }
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(*pid),
                  std::clamp(callerNice - kNiceStepsPerPriorityLevel * priority, -20, 19));
}

std::optional<ProcessExit> WaitForProcess(NativeHandle processHandle,
                                          std::chrono::milliseconds timeout,
                                          std::span<DrainedPipe> pipes) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        const int leftMs =
            static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        if (PollOnce(processHandle, pipes, leftMs).ended) {
            for (int round = 0; round < kFinalDrainRounds; ++round) {
                if (!PollOnce(processHandle, pipes, 0).readSome) {
                    break;
                }
            }
            return Reap(processHandle);
        }
        if (leftMs == 0) {
            return std::nullopt;
        }
    }
}

void TerminateProcess(NativeHandle processHandle, std::uint32_t /*exitCode*/) {
    // A pidfd names one process for good: once it has ended, the signal goes nowhere.
    ::syscall(SYS_pidfd_send_signal, static_cast<int>(processHandle), SIGKILL, nullptr, 0);
}

}  // namespace kestrune::platform
