// Starts the encoder on three pipes and waits for it while draining them. The pipe ends the
// program holds are never inherited by a later encoder, and everything of an encoder is
// closed as soon as its end has been seen, so no handle can be reused under the watchdog.
#include "Unit1/EncoderProcess.h"

#include <array>

namespace kestrune::unit1 {

void EncoderProcess::CloseAll() {
    for (platform::OwnedHandle* handle :
         {&readStdIn, &writeStdIn, &readStdOut, &writeStdOut, &readStdErr, &writeStdErr,
          &processHandle, &threadHandle}) {
        handle->Reset();
    }
}

bool EncoderProcess::CreatePipes() {
    const std::array<std::pair<platform::OwnedHandle*, platform::OwnedHandle*>, 3> pipes{{
        {&readStdIn, &writeStdIn},
        {&readStdOut, &writeStdOut},
        {&readStdErr, &writeStdErr},
    }};
    for (const auto& [readEnd, writeEnd] : pipes) {
        const std::optional<platform::PipeEnds> created = platform::CreatePipe();
        if (!created) {
            return false;
        }
        readEnd->Reset(created->readEnd);
        writeEnd->Reset(created->writeEnd);
    }
    return true;
}

bool EncoderProcess::StartEncoder(const std::string& commandLine, std::uint32_t creationFlags,
                                  std::int32_t threadPriority) {
    CloseAll();
    exitStatus.reset();
    stdErrTail.clear();
    if (!CreatePipes()) {
        CloseAll();
        return false;
    }
    // The ends the program keeps must not reach this encoder or any later one.
    for (const platform::OwnedHandle* kept : {&writeStdIn, &readStdOut, &readStdErr}) {
        platform::KeepFromChildren(kept->Get());
    }
    const std::optional<platform::StartedProcess> started = platform::StartProcess(
        commandLine, creationFlags, {readStdIn.Get(), writeStdOut.Get(), writeStdErr.Get()});
    if (!started) {
        CloseAll();
        return false;
    }
    processHandle.Reset(started->processHandle);
    threadHandle.Reset(started->threadHandle);

    // The child holds its own copies; closing ours lets the drain see the end of its output.
    writeStdOut.Reset();
    writeStdErr.Reset();
    platform::SetThreadPriority(threadHandle.Get(), threadPriority);
    threadHandle.Reset();
    platform::KeepFromChildren(readStdIn.Get());
    return true;
}

bool EncoderProcess::WaitForEnd(std::chrono::milliseconds timeout) {
    if (!processHandle.IsOpen()) {
        return true;
    }
    std::array<platform::DrainedPipe, 2> pipes{{
        {.readEnd = readStdOut.Get(), .onData = {}},
        {.readEnd = readStdErr.Get(),
         .onData =
             [this](std::string_view data) {
                 stdErrTail.append(data);
                 if (stdErrTail.size() > kStdErrTailSize) {
                     stdErrTail.erase(0, stdErrTail.size() - kStdErrTailSize);
                 }
             }},
    }};
    exitStatus = platform::WaitForProcess(processHandle.Get(), timeout, pipes);
    // A pipe whose writers are gone is closed now, so later waits do not poll it again.
    if (pipes[0].atEnd) {
        readStdOut.Reset();
    }
    if (pipes[1].atEnd) {
        readStdErr.Reset();
    }
    if (!exitStatus) {
        return false;
    }
    CloseAll();
    return true;
}

void EncoderProcess::Terminate() {
    if (processHandle.IsOpen()) {
        platform::TerminateProcess(processHandle.Get(), kTerminatedExitCode);
    }
}

}  // namespace kestrune::unit1
