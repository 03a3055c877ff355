// Windows console: the file's type, the console's code page, and a control handler that
// records Ctrl+C, Ctrl+Break and the console's closing.
#include "platform/Console.h"

#include <io.h>
#include <windows.h>

#include <atomic>

namespace kestrune::platform {

namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI RecordInterrupt(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        interrupted.store(true);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

void UseUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
}

void CatchInterrupts() {
    SetConsoleCtrlHandler(RecordInterrupt, TRUE);
}

bool InterruptRequested() {
    return interrupted.load();
}

}  // namespace kestrune::platform
