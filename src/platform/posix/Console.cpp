// POSIX console: isatty, and the interrupting signals caught into a flag.
#include "platform/Console.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace kestrune::platform {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void RecordInterrupt(int /*signal*/) {
    interrupted.store(true);
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

void UseUtf8Console() {}

void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = RecordInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

bool InterruptRequested() {
    return interrupted.load();
}

}  // namespace kestrune::platform
