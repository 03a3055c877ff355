#include "support/Processes.h"

#include "platform/CommandLine.h"

#ifdef _WIN32
#include "platform/win32/Wine.h"

#include <windows.h>
#else
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#endif

namespace kestrune::test {

#ifdef _WIN32
bool RunsUnderWine() {
    return platform::win32::IsWine();
}

long OpenHandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return static_cast<long>(count);
}

bool IsProcessRunning(long processId) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) {
        return false;
    }
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

bool WasTerminated(const platform::ProcessExit& exit, std::uint32_t exitCode) {
    return exit.code == exitCode;
}

std::string ThroughShell(const std::string& commandLine) {
    // With /s the interpreter takes everything between the outer quotes as it stands.
    return "cmd.exe /s /c \"" + commandLine + "\"";
}
#else
bool RunsUnderWine() {
    return false;
}

long OpenHandleCount() {
    return static_cast<long>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator()));
}

bool IsProcessRunning(long processId) {
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), {});
    // The state letter follows the command name in parentheses.
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z' &&
           text[close + 2] != 'X';
}

bool WasTerminated(const platform::ProcessExit& exit, std::uint32_t) {
    return exit.signal == SIGKILL;
}

std::string ThroughShell(const std::string& commandLine) {
    // "; true" keeps the shell from replacing itself with the last program it runs.
    return "/bin/sh -c " + platform::QuoteArgument(commandLine + "; true");
}
#endif

}  // namespace kestrune::test
