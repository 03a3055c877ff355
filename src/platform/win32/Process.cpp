// Windows child processes: CreateProcessW, started suspended so that it is inside its job
// object before it runs, with a hidden window and pipe ends as standard handles. Waiting
// drains the parent's pipe ends with PeekNamedPipe and ReadFile, without pausing while data
// flows. The job ends the whole tree and holds its processor time.
#include "platform/Process.h"

#include "platform/CommandLine.h"
#include "platform/Handle.h"
#include "platform/OutputTail.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Wine.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

namespace kestrune::platform {

namespace {

constexpr std::size_t kReadChunk = 65536;
// Large enough that a talkative child rarely finds its pipe full between two drains.
constexpr DWORD kPipeBufferSize = 65536;
// How long the wait sleeps when no pipe had anything to read.
constexpr DWORD kIdleSliceMs = 10;
constexpr std::uint32_t kDestroyedExitCode = 1;
constexpr std::int64_t kNanosecondsPerFileTimeUnit = 100;

HANDLE AsHandle(const OwnedHandle& handle) {
    return reinterpret_cast<HANDLE>(handle.Get());
}

OwnedHandle Own(HANDLE handle) {
    return OwnedHandle(handle == INVALID_HANDLE_VALUE ? kNoHandle
                                                      : reinterpret_cast<NativeHandle>(handle));
}

StartError ErrorOf(DWORD error) {
    using Kind = StartError::Kind;
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return {Kind::programNotFound, static_cast<int>(error)};
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return {Kind::accessDenied, static_cast<int>(error)};
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
        case ERROR_NO_SYSTEM_RESOURCES:
        case ERROR_TOO_MANY_OPEN_FILES:
            return {Kind::noResources, static_cast<int>(error)};
        default:
            return {Kind::other, static_cast<int>(error)};
    }
}

struct Pipe {
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
};

// A pipe whose child end is inheritable and whose parent end is not.
std::optional<Pipe> CreatePipe(bool childReads) {
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &attributes, kPipeBufferSize)) {
        return std::nullopt;
    }
    Pipe pipe{Own(readEnd), Own(writeEnd)};
    SetHandleInformation(childReads ? writeEnd : readEnd, HANDLE_FLAG_INHERIT, 0);
    return pipe;
}

// A job that ends every process in it when its last handle closes, so nothing a child
// started outlives the program; nothing when the system gives none.
OwnedHandle CreateKillingJob() {
    OwnedHandle job = Own(CreateJobObjectW(nullptr, nullptr));
    if (!job.IsOpen()) {
        return job;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(AsHandle(job), JobObjectExtendedLimitInformation, &limits,
                            sizeof limits);
    return job;
}

std::int64_t FileTimeUnits(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                                     time.dwLowDateTime);
}

}  // namespace

struct ChildProcess::State {
    OwnedHandle process;
    OwnedHandle job;  // not open when the child could not be put in a job
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

    ~State() {
        if (!exit && process.IsOpen()) {
            End(kDestroyedExitCode);
            WaitForSingleObject(AsHandle(process), INFINITE);
        }
    }

    void End(std::uint32_t exitCode) const {
        if (job.IsOpen()) {
            TerminateJobObject(AsHandle(job), exitCode);
        } else {
            ::TerminateProcess(AsHandle(process), exitCode);
        }
    }

    // Reads what the pipe holds now, without waiting for more; closes it at its end.
    // True when something was read.
    bool Drain(OwnedHandle& pipe) {
        if (!pipe.IsOpen()) {
            return false;
        }
        bool readSome = false;
        std::array<char, kReadChunk> buffer;
        for (;;) {
            DWORD available = 0;
            if (!PeekNamedPipe(AsHandle(pipe), nullptr, 0, nullptr, &available, nullptr)) {
                pipe.Reset();  // broken pipe: every writer has closed it
                return readSome;
            }
            if (available == 0) {
                return readSome;
            }
            DWORD got = 0;
            const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
            if (!ReadFile(AsHandle(pipe), buffer.data(), wanted, &got, nullptr) || got == 0) {
                pipe.Reset();
                return readSome;
            }
            readSome = true;
            if (&pipe == &readStdErr) {
                AppendToTail(errorTail, {buffer.data(), got}, keptErrorOutput);
            } else {
                AppendToTail(outputTail, {buffer.data(), got}, keptOutput);
            }
        }
    }

    bool DrainPipes() {
        const bool fromOutput = Drain(readStdOut);
        const bool fromError = Drain(readStdErr);
        return fromOutput || fromError;
    }

    // Once the child has ended: what it left in its pipes is read, its status taken, and
    // the pipes let go. False while it runs.
    bool FinishIfEnded() {
        const DWORD result = WaitForSingleObject(AsHandle(process), 0);
        if (result != WAIT_OBJECT_0 && result != WAIT_FAILED) {
            return false;
        }
        while (DrainPipes()) {
        }
        DWORD code = 0;
        if (result == WAIT_FAILED || !GetExitCodeProcess(AsHandle(process), &code)) {
            code = kLostExitCode;
        }
        exit = ProcessExit{.code = code};
        writeStdIn.Reset();
        readStdOut.Reset();
        readStdErr.Reset();
        return true;
    }
};

std::variant<ChildProcess, StartError> ChildProcess::Start(const std::string& commandLine,
                                                           const ProcessOptions& options) {
    // A line without a program name ("" or blanks) names no file, as on every system.
    if (const auto arguments = SplitCommandLine(commandLine);
        arguments.empty() || arguments.front().empty()) {
        return StartError{StartError::Kind::programNotFound, ERROR_FILE_NOT_FOUND};
    }
    std::optional<Pipe> input = CreatePipe(true);
    std::optional<Pipe> output = CreatePipe(false);
    std::optional<Pipe> error = CreatePipe(false);
    if (!input || !output || !error) {
        return ErrorOf(GetLastError());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = AsHandle(input->readEnd);
    startup.hStdOutput = AsHandle(output->writeEnd);
    startup.hStdError = AsHandle(error->writeEnd);
    std::wstring line = win32::Widen(commandLine);  // CreateProcessW may write into it
    const DWORD flags = CREATE_SUSPENDED | (options.ownSession ? CREATE_NEW_CONSOLE : 0);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                        &startup, &info)) {
        return ErrorOf(GetLastError());
    }
    auto state = std::make_unique<State>();
    state->process = Own(info.hProcess);
    const OwnedHandle thread = Own(info.hThread);
    // A process already in a job of its own cannot join ours before Windows 8; it then runs
    // without one and Terminate ends only the process itself.
    state->job = CreateKillingJob();
    if (state->job.IsOpen() && !AssignProcessToJobObject(AsHandle(state->job), info.hProcess)) {
        state->job.Reset();
    }
    ::SetThreadPriority(info.hThread, options.priority);
    ResumeThread(info.hThread);
    state->keptOutput = options.keptOutput;
    state->keptErrorOutput = options.keptErrorOutput;
    state->writeStdIn = std::move(input->writeEnd);
    state->readStdOut = std::move(output->readEnd);
    state->readStdErr = std::move(error->readEnd);
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
    const auto anyEnded = [children] {
        return std::ranges::any_of(
            children, [](const ChildProcess* child) { return child->state_->exit.has_value(); });
    };
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    std::vector<HANDLE> processes;
    for (const ChildProcess* child : children) {
        processes.push_back(AsHandle(child->state_->process));
    }
    const auto count =
        static_cast<DWORD>(std::min<std::size_t>(processes.size(), kMostWaitedProcesses));
    static_assert(kMostWaitedProcesses <= MAXIMUM_WAIT_OBJECTS);
    while (!anyEnded()) {
        bool flowing = false;
        for (ChildProcess* child : children) {
            flowing = child->state_->DrainPipes() || flowing;
        }
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        WaitForMultipleObjects(count, processes.data(), FALSE,
                               flowing ? 0 : std::min(left, kIdleSliceMs));
        // Several children may have ended during one wait.
        bool ended = false;
        for (ChildProcess* child : children) {
            ended = child->state_->FinishIfEnded() || ended;
        }
        if (ended) {
            return true;
        }
        if (left == 0) {
            return false;
        }
    }
    return true;
}

void ChildProcess::Terminate(std::uint32_t exitCode) {
    if (!state_->exit) {
        state_->End(exitCode);
    }
}

std::optional<std::chrono::nanoseconds> ChildProcess::ProcessorTime() {
    // Wine's job accounting reads 0, and the times of another process do not advance while
    // it spins: no true figure there.
    if (win32::IsWine()) {
        return std::nullopt;
    }
    const State& s = *state_;
    std::int64_t units = 0;
    if (s.job.IsOpen()) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
        if (!QueryInformationJobObject(AsHandle(s.job), JobObjectBasicAccountingInformation,
                                       &accounting, sizeof accounting, nullptr)) {
            return std::nullopt;
        }
        units = accounting.TotalUserTime.QuadPart + accounting.TotalKernelTime.QuadPart;
    } else {
        FILETIME created{};
        FILETIME exited{};
        FILETIME kernel{};
        FILETIME user{};
        if (!GetProcessTimes(AsHandle(s.process), &created, &exited, &kernel, &user)) {
            return std::nullopt;
        }
        units = FileTimeUnits(kernel) + FileTimeUnits(user);
    }
    return std::chrono::nanoseconds(units * kNanosecondsPerFileTimeUnit);
}

long ChildProcess::ProcessId() const {
    return static_cast<long>(GetProcessId(AsHandle(state_->process)));
}

const std::string& ChildProcess::OutputTail() const {
    return state_->outputTail;
}

const std::string& ChildProcess::ErrorOutputTail() const {
    return state_->errorTail;
}

}  // namespace kestrune::platform
