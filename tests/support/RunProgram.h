// Runs a program from one command line (Windows rules on every system) through the
// program's own launcher, and waits for it.
#pragma once

#include <chrono>
#include <string>

namespace kestrune::test {

struct ProgramRun {
    // The exit code; -1 when the program could not start, was ended by a signal, or had not
    // ended within the time limit (it is then ended).
    int status = -1;
    std::string output;       // what it wrote to its standard output, up to 1 MiB
    std::string errorOutput;  // the last 64 KiB of its standard error
};

ProgramRun RunProgram(const std::string& commandLine,
                      std::chrono::milliseconds limit = std::chrono::minutes(2));

}  // namespace kestrune::test
