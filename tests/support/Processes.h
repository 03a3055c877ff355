// What tests need to know about processes, from /proc on Linux and from process handles on
// Windows.
#pragma once

#include "platform/Process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// Skips the current test where the processor time of a child process is not known, so the
// watchdog cannot judge an encoder by its own work.
#define KESTRUNE_SKIP_WITHOUT_PROCESSOR_TIME()                               \
    if (::kestrune::test::RunsUnderWine())                                   \
    GTEST_SKIP() << "Wine gives no true processor time of another process, " \
                    "so the watchdog cannot judge the encoder by its own work"

namespace kestrune::test {

// True under Wine, which imitates some Windows figures without giving their true values.
bool RunsUnderWine();

// How many handles (Linux: file descriptors) this process holds open.
long OpenHandleCount();

// Whether the process with that id still runs; one that has ended, or is only waiting to be
// reaped, does not.
bool IsProcessRunning(long processId);

// Whether the exit is that of a process ended by ChildProcess::Terminate with that exit code:
// killed by SIGKILL on POSIX, ended with the code on Windows.
bool WasTerminated(const platform::ProcessExit& exit, std::uint32_t exitCode);

// The command line run by the system's command interpreter, which stays the parent of the
// program it starts and waits for it.
std::string ThroughShell(const std::string& commandLine);

}  // namespace kestrune::test
