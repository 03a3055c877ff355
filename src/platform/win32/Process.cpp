// Windows processes: CreatePipe with inheritable ends, CreateProcessW with a hidden window
// and the pipe ends as standard handles, WaitForSingleObject in short slices while the
// parent's pipe ends are drained with PeekNamedPipe and ReadFile, TerminateProcess.
#include "platform/Process.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace kestrune::platform {

namespace {

constexpr std::size_t kReadChunk = 65536;
// How long a talkative child may find its pipe full before the parent reads it again.
constexpr DWORD kDrainSliceMs = 10;

HANDLE AsHandle(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}
NativeHandle AsNative(HANDLE handle) {
    return reinterpret_cast<NativeHandle>(handle);
}

// Reads what the pipe holds now, without waiting for more.
void DrainAvailable(DrainedPipe& pipe) {
    const HANDLE readEnd = AsHandle(pipe.readEnd);
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
        pipe.atEnd = true;  // broken pipe: every writer has closed it
        return;
    }
    std::array<char, kReadChunk> buffer;
    while (available > 0) {
        DWORD got = 0;
        const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
        if (!ReadFile(readEnd, buffer.data(), wanted, &got, nullptr) || got == 0) {
            pipe.atEnd = true;
            return;
        }
        if (pipe.onData) {
            pipe.onData(std::string_view(buffer.data(), got));
        }
        available -= std::min(available, got);
    }
}

// Drains every pipe not yet at its end; true while some pipe is still open.
bool DrainPipes(std::span<DrainedPipe> pipes) {
    bool open = false;
    for (DrainedPipe& pipe : pipes) {
        if (!pipe.atEnd && pipe.readEnd != kNoHandle) {
            DrainAvailable(pipe);
            open = open || !pipe.atEnd;
        }
    }
    return open;
}

}  // namespace

std::optional<PipeEnds> CreatePipe() {
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = nullptr;
    attributes.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &attributes, 0)) {
        return std::nullopt;
    }
    return PipeEnds{AsNative(readEnd), AsNative(writeEnd)};
}

void KeepFromChildren(NativeHandle handle) {
    SetHandleInformation(AsHandle(handle), HANDLE_FLAG_INHERIT, 0);
}

std::optional<StartedProcess> StartProcess(const std::string& commandLine,
                                           std::uint32_t creationFlags,
                                           const StandardHandles& handles) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = AsHandle(handles.input);
    startup.hStdOutput = AsHandle(handles.output);
    startup.hStdError = AsHandle(handles.error);
    std::wstring line = win32::Widen(commandLine);  // CreateProcessW may write into it
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                        nullptr, &startup, &info)) {
        return std::nullopt;
    }
    return StartedProcess{.processHandle = AsNative(info.hProcess),
                          .threadHandle = AsNative(info.hThread)};
}

void SetThreadPriority(NativeHandle threadHandle, std::int32_t priority) {
    ::SetThreadPriority(AsHandle(threadHandle), priority);
}

std::optional<ProcessExit> WaitForProcess(NativeHandle processHandle,
                                          std::chrono::milliseconds timeout,
                                          std::span<DrainedPipe> pipes) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    while (true) {
        const bool draining = DrainPipes(pipes);
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        const DWORD result = WaitForSingleObject(AsHandle(processHandle),
                                                 draining ? std::min(left, kDrainSliceMs) : left);
        if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) {
            DrainPipes(pipes);
            DWORD code = 0;
            if (result == WAIT_FAILED || !GetExitCodeProcess(AsHandle(processHandle), &code)) {
                code = kLostExitCode;
            }
            return ProcessExit{.code = code};
        }
        if (left == 0) {
            return std::nullopt;
        }
    }
}

void TerminateProcess(NativeHandle processHandle, std::uint32_t exitCode) {
    ::TerminateProcess(AsHandle(processHandle), exitCode);
}

}  // namespace kestrune::platform
