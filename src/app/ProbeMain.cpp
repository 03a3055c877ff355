// kestrune-probe FILE...: analyses MP3 files as the file list does and prints one
// tab-separated line per file.
#include "app/ProbeLine.h"
#include "platform/ProgramArguments.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "Usage: kestrune-probe [--] FILE...\n"
    "       kestrune-probe --help | --version\n"
    "Analyses MP3 files and prints one tab-separated line per file:\n"
    "name, size, bit rate, CBR/VBR, title, artist, album, year, genre number,\n"
    "duration in seconds, valid (1 or 0).\n";

void Print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = kestrune::platform::ProgramArguments(argc, argv);
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            Print(stdout, kUsage);
            return 0;
        } else if (!optionsEnded && argument == "--version") {
            Print(stdout, "kestrune-probe " KESTRUNE_VERSION "\n");
            return 0;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            Print(stderr, "kestrune-probe: unknown option " + argument + "\n");
            Print(stderr, kUsage);
            return 2;
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty()) {
        Print(stderr, kUsage);
        return 2;
    }
    for (const std::string& path : paths) {
        Print(stdout, kestrune::app::ProbeLine(kestrune::mpeg::ReadFileListRow(path)) + "\n");
    }
    return 0;
}
