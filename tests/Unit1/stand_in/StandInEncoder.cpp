// A stand-in for the encoder in tests. It performs the actions named by its arguments, in
// order, and exits with status 0 after the last one:
//   sleep MS | spin MS          wait, or keep a processor busy, for MS milliseconds
//   stdout N | stderr N         write N bytes ("abc...z" repeated) to that stream
//   read-stdin                  read standard input; exit with status 3 if it ever ends
//   write-file PATH TEXT        write TEXT to the file PATH
//   remove-file PATH            delete the file PATH
//   args-to-file PATH           write every argument of the process (as an encoder too), each
//                               ending with a zero byte, to PATH
//   fds-to-file PATH            write how many descriptors the process has open (Linux)
//   pid-to-file PATH            write the process id to PATH
//   exit STATUS                 exit with STATUS at once
//   say-stderr TEXT             write TEXT (underscores as blanks) and a line break to standard
//   error
//   pad-output N                started as the encoder: add N bytes to its output file
// Anything else exits with status 2.
//
// Started as the encoder (first argument "--mp3input"), it takes its actions from the file
// "<source>.actions" beside its source file, if there is one (blank-separated), after
// writing the start of its output file; when they end with status 0 it completes the
// output. So a batch run can give each row its own behaviour.
// Arguments and paths are UTF-8 on every system.
#include "platform/ProgramArguments.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

using std::filesystem::u8path;

namespace {

constexpr int kUsageStatus = 2;
constexpr int kInputEndedStatus = 3;

void WritePattern(std::FILE* stream, long long count) {
    std::vector<char> chunk(65536);
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<char>('a' + i % 26);
    }
    // 65536 is not a multiple of 26, so each chunk starts where the pattern stands.
    long long written = 0;
    while (written < count) {
        const std::size_t offset = static_cast<std::size_t>(written % 26);
        const std::size_t size =
            static_cast<std::size_t>(std::min<long long>(count - written, 65536 - 26));
        std::fwrite(chunk.data() + offset, 1, size, stream);
        written += static_cast<long long>(size);
    }
    std::fflush(stream);
}

long ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

void Spin(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    volatile unsigned long long counter = 0;
    while (std::chrono::steady_clock::now() < end) {
        counter = counter + 1;
    }
}

int RunActions(const std::vector<std::string>& args, const std::vector<std::string>& recorded) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view action = args[i];
        const bool hasValue = i + 1 < args.size();
        if (action == "read-stdin") {
            char buffer[4096];
            while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
            }
            return kInputEndedStatus;
        }
        if (!hasValue) {
            return kUsageStatus;
        }
        const std::string& value = args[++i];
        if (action == "sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoll(value.c_str())));
        } else if (action == "spin") {
            Spin(std::chrono::milliseconds(std::atoll(value.c_str())));
        } else if (action == "stdout" || action == "stderr") {
            WritePattern(action == "stdout" ? stdout : stderr, std::atoll(value.c_str()));
        } else if (action == "exit") {
            return std::atoi(value.c_str());
        } else if (action == "args-to-file") {
            std::ofstream out(u8path(value), std::ios::binary);
            for (const std::string& arg : recorded) {
                out << arg << '\0';
            }
        } else if (action == "fds-to-file") {
            const auto entries = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                               std::filesystem::directory_iterator());
            // Less the descriptor of the listing itself.
            std::ofstream(u8path(value), std::ios::binary) << entries - 1;
        } else if (action == "pid-to-file") {
            std::ofstream(u8path(value), std::ios::binary) << ProcessId();
        } else if (action == "write-file" && i + 1 < args.size()) {
            std::ofstream(u8path(value), std::ios::binary) << args[++i];
        } else if (action == "remove-file") {
            std::filesystem::remove(u8path(value));
        } else if (action == "pad-output") {
            std::ofstream(u8path(recorded.back()), std::ios::binary | std::ios::app)
                << std::string(static_cast<std::size_t>(std::atoll(value.c_str())), 'p');
        } else if (action == "say-stderr") {  // underscores stand for blanks
            std::string text = value;
            std::replace(text.begin(), text.end(), '_', ' ');
            std::fprintf(stderr, "%s\n", text.c_str());
        } else {
            return kUsageStatus;
        }
    }
    return 0;
}

// The encoder's part: the source is the next to last argument, the output the last.
int RunAsEncoder(const std::vector<std::string>& args) {
    const std::string& source = args[args.size() - 2];
    const std::string& output = args.back();
    std::vector<std::string> actions;
    std::ifstream script(u8path(source + ".actions"));
    for (std::string word; script >> word;) {
        actions.push_back(word);
    }
    { std::ofstream(u8path(output), std::ios::binary) << "partial "; }
    const int status = RunActions(actions, args);
    if (status == 0) {
        std::ofstream(u8path(output), std::ios::binary | std::ios::app) << "encoded";
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = kestrune::platform::ProgramArguments(argc, argv);
    if (args.size() >= 3 && args.front() == "--mp3input") {
        return RunAsEncoder(args);
    }
    return RunActions(args, args);
}
