// The console of a command-line program: whether a stream is a terminal, UTF-8 text on the
// Windows console, and Ctrl+C turned into a request the program reads when it is ready.
#pragma once

#include <cstdio>

namespace kestrune::platform {

bool IsTerminal(std::FILE* stream);

// Windows: the console shows the program's UTF-8 text as such. Elsewhere nothing changes.
void UseUtf8Console();

// From now on Ctrl+C (on POSIX also SIGTERM and SIGHUP) only records the request; the
// program asks InterruptRequested and ends in its own time.
void CatchInterrupts();
bool InterruptRequested();

}  // namespace kestrune::platform
