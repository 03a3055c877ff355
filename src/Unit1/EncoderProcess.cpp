// The encoder's launch policy: a console of its own (a session of its own on POSIX), hidden,
// normal priority, the end of its standard error kept for the report.
#include "Unit1/EncoderProcess.h"

#include <vector>

namespace kestrune::unit1 {

bool EncoderProcess::StartEncoder(const std::string& commandLine) {
    child_.reset();
    exitStatus_.reset();
    auto started = platform::ChildProcess::Start(
        commandLine, {.ownSession = true, .priority = 0, .keptErrorOutput = kStdErrTailSize});
    if (auto* error = std::get_if<platform::StartError>(&started)) {
        startError_ = *error;
        return false;
    }
    child_.emplace(std::move(std::get<platform::ChildProcess>(started)));
    return true;
}

bool EncoderProcess::WaitForEnd(std::chrono::milliseconds timeout) {
    if (!IsRunning()) {
        return true;
    }
    exitStatus_ = child_->Wait(timeout);
    return exitStatus_.has_value();
}

bool EncoderProcess::WaitForAnyEnd(std::span<EncoderProcess* const> encoders,
                                   std::chrono::milliseconds timeout) {
    std::vector<platform::ChildProcess*> running;
    for (EncoderProcess* encoder : encoders) {
        if (!encoder->IsRunning()) {
            return true;
        }
        running.push_back(&*encoder->child_);
    }
    if (!platform::ChildProcess::WaitForAny(running, timeout)) {
        return false;
    }
    for (EncoderProcess* encoder : encoders) {
        encoder->exitStatus_ = encoder->child_->Wait(std::chrono::milliseconds(0));
    }
    return true;
}

void EncoderProcess::Terminate() {
    if (IsRunning()) {
        child_->Terminate(kTerminatedExitCode);
    }
}

std::optional<std::chrono::nanoseconds> EncoderProcess::ProcessorTime() {
    return IsRunning() ? child_->ProcessorTime() : std::nullopt;
}

std::string EncoderProcess::StdErrTail() const {
    return child_ ? child_->ErrorOutputTail() : std::string();
}

}  // namespace kestrune::unit1
