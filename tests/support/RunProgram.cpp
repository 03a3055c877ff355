#include "support/RunProgram.h"

#include "platform/Process.h"

#include <variant>

namespace kestrune::test {

ProgramRun RunProgram(const std::string& commandLine, std::chrono::milliseconds limit) {
    auto started = platform::ChildProcess::Start(
        commandLine, {.keptOutput = std::size_t{1} << 20, .keptErrorOutput = 1 << 16});
    auto* program = std::get_if<platform::ChildProcess>(&started);
    if (program == nullptr) {
        return {};
    }
    const auto exit = program->Wait(limit);
    if (!exit) {
        program->Terminate(1);
    }
    const bool exited = exit && exit->signal == 0;
    return {exited ? static_cast<int>(exit->code) : -1, program->OutputTail(),
            program->ErrorOutputTail()};
}

}  // namespace kestrune::test
