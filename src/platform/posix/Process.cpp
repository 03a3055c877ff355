// POSIX child processes: fork and exec without a shell, the arguments split by the Windows
// rules, the standard handles duplicated onto pipe ends; a child inherits only its three
// standard handles. The child dies with the thread that started it (PR_SET_PDEATHSIG), so
// no encoder outlives a program that was killed. It is held through a pidfd (Linux 5.4 and
// later), so waiting and signalling always reach that process; it leads a process group of
// its own, which is what Terminate ends and, read from /proc, what its processor time is
// summed over.
#include "platform/Process.h"

#include "platform/AsciiText.h"
#include "platform/CommandLine.h"
#include "platform/Handle.h"
#include "platform/Locations.h"
#include "platform/OutputTail.h"
#include "platform/ProcessTreeTime.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace kestrune::platform {

namespace {

constexpr std::size_t kReadChunk = 65536;
// A Windows priority level moves a process about as far as five nice steps.
constexpr int kNiceStepsPerPriorityLevel = 5;
// Reads after the end that collect what the child left in its pipes; bounded because a
// grandchild may still hold a pipe open and keep writing.
constexpr int kFinalDrainRounds = 64;

// The caller's environment with the character locale C.UTF-8, whatever the caller's is:
// under the C locale an encoder cannot convert non-ASCII argument text and drops it, and
// what it prints must not depend on the desktop's settings.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!std::string_view(*entry).starts_with("LC_ALL=")) {
            environment.emplace_back(*entry);
        }
    }
    environment.emplace_back("LC_ALL=C.UTF-8");
    return environment;
}

// The null-terminated pointer array that exec-style calls take, over the given texts.
std::vector<char*> PointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

StartError ErrorOf(int error) {
    using Kind = StartError::Kind;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return {Kind::programNotFound, error};
        case EACCES:
        case EPERM:
            return {Kind::accessDenied, error};
        case EAGAIN:
        case ENOMEM:
        case EMFILE:
        case ENFILE:
            return {Kind::noResources, error};
        default:
            return {Kind::other, error};
    }
}

struct Pipe {
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
};

std::optional<Pipe> CreatePipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    return Pipe{OwnedHandle(ends[0]), OwnedHandle(ends[1])};
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The program's file: a name with "/" as it stands, any other found on PATH.
std::optional<std::string> FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* path = std::getenv("PATH");
    return FindInSearchPath(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin", name,
                            IsExecutableFile);
}

struct ChildHandles {
    int input;
    int output;
    int error;
};

// The child's side of a start, between fork and exec: only calls that are safe after a fork
// in a threaded process. A failure is told to the parent through `report` as an errno.
[[noreturn]] void BecomeChild(const char* program, char* const argv[], char* const envp[],
                              ChildHandles handles, bool ownSession, pid_t parent, int report) {
    if (ownSession) {
        ::setsid();
    } else {
        ::setpgid(0, 0);
    }
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == parent && ::dup2(handles.input, 0) == 0 && ::dup2(handles.output, 1) == 1 &&
        ::dup2(handles.error, 2) == 2) {
        // Only the three standard handles reach the program, even from descriptors that some
        // library opened without close-on-exec; the report pipe closes on exec by itself.
        ::close_range(3, static_cast<unsigned>(report) - 1, 0);
        ::close_range(static_cast<unsigned>(report) + 1, ~0U, 0);
        // The program starts with default signal handling and nothing blocked, whatever the
        // caller ignores or blocks.
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        for (int signal = 1; signal < NSIG; ++signal) {
            ::sigaction(signal, &standard, nullptr);
        }
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(program, argv, envp);
    }
    const int failure = errno;
    [[maybe_unused]] const ssize_t told = ::write(report, &failure, sizeof failure);
    ::_exit(127);
}

// A started child's process id, or the errno why none could be started.
struct Forked {
    pid_t pid = -1;
    int failure = 0;
};

Forked ForkAndExec(const std::string& program, char* const argv[], char* const envp[],
                   ChildHandles handles, bool ownSession) {
    std::optional<Pipe> report = CreatePipe();
    if (!report) {
        return {.failure = errno};
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        return {.failure = errno};
    }
    if (pid == 0) {
        BecomeChild(program.c_str(), argv, envp, handles, ownSession, parent,
                    static_cast<int>(report->writeEnd.Get()));
    }
    report->writeEnd.Reset();
    int failure = 0;
    ssize_t got = 0;
    do {
        got = ::read(static_cast<int>(report->readEnd.Get()), &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == sizeof failure) {
        ::waitpid(pid, nullptr, 0);
        return {.failure = failure};
    }
    return {.pid = pid};
}

// The reading of every process in the group (or session) led by `leader`; nothing when
// /proc cannot be read or no longer lists the leader.
std::optional<std::vector<ProcessTicks>> ReadTree(pid_t leader, bool bySession) {
    struct CloseDir {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    const std::unique_ptr<DIR, CloseDir> proc(::opendir("/proc"));
    if (!proc) {
        return std::nullopt;
    }
    std::vector<ProcessTicks> reading;
    bool leaderSeen = false;
    while (const dirent* entry = ::readdir(proc.get())) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0]))) {
            continue;
        }
        const OwnedHandle stat(::open((std::string("/proc/") + entry->d_name + "/stat").c_str(),
                                      O_RDONLY | O_CLOEXEC));
        if (!stat.IsOpen()) {
            continue;  // the process has just ended
        }
        std::array<char, 1024> text;
        const ssize_t got = ::read(static_cast<int>(stat.Get()), text.data(), text.size());
        const auto figures =
            got > 0 ? ParseProcessStat({text.data(), static_cast<std::size_t>(got)}) : std::nullopt;
        if (figures && (bySession ? figures->session : figures->group) == leader) {
            reading.push_back({figures->pid, figures->ticks});
            leaderSeen = leaderSeen || figures->pid == leader;
        }
    }
    return leaderSeen ? std::optional(std::move(reading)) : std::nullopt;
}

}  // namespace

struct ChildProcess::State {
    pid_t pid = 0;
    OwnedHandle pidfd;
    bool ownSession = false;
    // The write end of standard input is held and never written, so the child never sees
    // the end of its input.
    OwnedHandle writeStdIn;
    OwnedHandle readStdOut;
    OwnedHandle readStdErr;
    std::optional<ProcessExit> exit;
    std::size_t keptOutput = 0;
    std::size_t keptErrorOutput = 0;
    std::string outputTail;
    std::string errorTail;
    ProcessTreeTime treeTime;

    ~State() {
        if (!exit && pidfd.IsOpen()) {
            Signal();
            Reap();
        }
    }

    void Signal() const {
        // The leader is not reaped yet, so its id still names its group and no other.
        ::kill(-pid, SIGKILL);
        ::syscall(SYS_pidfd_send_signal, static_cast<int>(pidfd.Get()), SIGKILL, nullptr, 0);
    }

    void Reap() {
        siginfo_t info{};
        if (::waitid(P_PIDFD, static_cast<id_t>(pidfd.Get()), &info, WEXITED) != 0) {
            exit = ProcessExit{.code = kLostExitCode};
        } else if (info.si_code == CLD_EXITED) {
            exit = ProcessExit{.code = static_cast<std::uint32_t>(info.si_status)};
        } else {
            exit = ProcessExit{.signal = info.si_status};
        }
    }

    void KeepTail(const OwnedHandle& pipe, std::string_view data) {
        if (&pipe == &readStdErr) {
            AppendToTail(errorTail, data, keptErrorOutput);
        } else {
            AppendToTail(outputTail, data, keptOutput);
        }
    }

    // Reads once from the pipe; closes it at its end.
    void ReadFrom(OwnedHandle& pipe) {
        std::array<char, kReadChunk> buffer;
        const ssize_t got = ::read(static_cast<int>(pipe.Get()), buffer.data(), buffer.size());
        if (got > 0) {
            KeepTail(pipe, {buffer.data(), static_cast<std::size_t>(got)});
        } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
            pipe.Reset();
        }
    }

    // What one entry of a poll watches: the end of a child (no pipe) or one of its pipes.
    struct PolledSource {
        State* state = nullptr;
        OwnedHandle* pipe = nullptr;
    };

    // Adds the open pipes to a poll, each with the state that reads it.
    void AddPipes(std::vector<pollfd>& polled, std::vector<PolledSource>& sources) {
        for (OwnedHandle* pipe : {&readStdOut, &readStdErr}) {
            if (pipe->IsOpen()) {
                polled.push_back({static_cast<int>(pipe->Get()), POLLIN, 0});
                sources.push_back({this, pipe});
            }
        }
    }

    // Reads what the pipes hold now, without waiting; true when something was read.
    bool DrainNow() {
        std::vector<pollfd> polled;
        std::vector<PolledSource> sources;
        AddPipes(polled, sources);
        if (polled.empty() || ::poll(polled.data(), polled.size(), 0) <= 0) {
            return false;
        }
        bool readSome = false;
        for (std::size_t i = 0; i < polled.size(); ++i) {
            if (polled[i].revents != 0) {
                ReadFrom(*sources[i].pipe);
                readSome = true;
            }
        }
        return readSome;
    }

    // The child has ended: what it left in its pipes is read, its status taken, and the
    // pipes let go.
    void Finish() {
        for (int round = 0; round < kFinalDrainRounds && DrainNow(); ++round) {
        }
        Reap();
        writeStdIn.Reset();
        readStdOut.Reset();
        readStdErr.Reset();
    }
};

std::variant<ChildProcess, StartError> ChildProcess::Start(const std::string& commandLine,
                                                           const ProcessOptions& options) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty()) {
        return StartError{StartError::Kind::programNotFound, ENOENT};
    }
    std::optional<Pipe> input = CreatePipe();
    std::optional<Pipe> output = CreatePipe();
    std::optional<Pipe> error = CreatePipe();
    if (!input || !output || !error) {
        return ErrorOf(errno);
    }
    std::vector<std::string> environment = ChildEnvironment();
    const std::vector<char*> argv = PointersTo(arguments);
    const std::vector<char*> envp = PointersTo(environment);

    const std::optional<std::string> program = FindProgram(arguments.front());
    if (!program) {
        return ErrorOf(ENOENT);
    }
    const Forked started = ForkAndExec(
        *program, argv.data(), envp.data(),
        {static_cast<int>(input->readEnd.Get()), static_cast<int>(output->writeEnd.Get()),
         static_cast<int>(error->writeEnd.Get())},
        options.ownSession);
    if (started.pid < 0) {
        return ErrorOf(started.failure);
    }
    const pid_t pid = started.pid;
    auto state = std::make_unique<State>();
    state->pid = pid;
    state->pidfd.Reset(static_cast<NativeHandle>(::syscall(SYS_pidfd_open, pid, 0)));
    if (!state->pidfd.IsOpen()) {
        // A child without a pidfd could not be ended safely later. It is not reaped yet, so
        // its id still names it here.
        const int failure = errno;
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return ErrorOf(failure);
    }
    state->ownSession = options.ownSession;
    state->keptOutput = options.keptOutput;
    state->keptErrorOutput = options.keptErrorOutput;
    state->writeStdIn = std::move(input->writeEnd);
    state->readStdOut = std::move(output->readEnd);
    state->readStdErr = std::move(error->readEnd);

    errno = 0;
    const int callerNice = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0 && options.priority != 0) {
        ::setpriority(
            PRIO_PROCESS, static_cast<id_t>(pid),
            std::clamp(callerNice - kNiceStepsPerPriorityLevel * options.priority, -20, 19));
    }
    return ChildProcess(std::move(state));
}

ChildProcess::ChildProcess(std::unique_ptr<State> state) : state_(std::move(state)) {}
ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;
ChildProcess& ChildProcess::operator=(ChildProcess&&) noexcept = default;
ChildProcess::~ChildProcess() = default;

std::optional<ProcessExit> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    ChildProcess* const self = this;
    WaitForAny({&self, 1}, timeout);
    return state_->exit;
}

bool ChildProcess::WaitForAny(std::span<ChildProcess* const> children,
                              std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    const auto anyEnded = [children] {
        return std::ranges::any_of(
            children, [](const ChildProcess* child) { return child->state_->exit.has_value(); });
    };
    while (!anyEnded()) {
        std::vector<pollfd> polled;
        std::vector<State::PolledSource> sources;
        for (ChildProcess* child : children) {
            State& s = *child->state_;
            polled.push_back({static_cast<int>(s.pidfd.Get()), POLLIN, 0});
            sources.push_back({&s, nullptr});
            s.AddPipes(polled, sources);
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        const int leftMs =
            static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        if (::poll(polled.data(), polled.size(), leftMs) > 0) {
            for (std::size_t i = 0; i < polled.size(); ++i) {
                if (polled[i].revents != 0 && sources[i].pipe != nullptr) {
                    sources[i].state->ReadFrom(*sources[i].pipe);
                }
            }
            // Ends are handled after the reads, so each child's last output is read first.
            for (std::size_t i = 0; i < polled.size(); ++i) {
                if (polled[i].revents != 0 && sources[i].pipe == nullptr) {
                    sources[i].state->Finish();
                }
            }
        }
        if (leftMs == 0) {
            return anyEnded();
        }
    }
    return true;
}

void ChildProcess::Terminate(std::uint32_t /*exitCode*/) {
    if (!state_->exit) {
        state_->Signal();
    }
}

std::optional<std::chrono::nanoseconds> ChildProcess::ProcessorTime() {
    State& s = *state_;
    if (!s.exit) {
        const auto reading = ReadTree(s.pid, s.ownSession);
        if (!reading) {
            return std::nullopt;
        }
        s.treeTime.Add(*reading);
    }
    static const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (ticksPerSecond <= 0) {
        return std::nullopt;
    }
    const std::uint64_t ticks = s.treeTime.Total();
    return std::chrono::nanoseconds(static_cast<std::int64_t>(
        ticks / static_cast<std::uint64_t>(ticksPerSecond) * 1'000'000'000 +
        ticks % static_cast<std::uint64_t>(ticksPerSecond) * 1'000'000'000 /
            static_cast<std::uint64_t>(ticksPerSecond)));
}

long ChildProcess::ProcessId() const {
    return static_cast<long>(state_->pid);
}

const std::string& ChildProcess::OutputTail() const {
    return state_->outputTail;
}

const std::string& ChildProcess::ErrorOutputTail() const {
    return state_->errorTail;
}

}  // namespace kestrune::platform
