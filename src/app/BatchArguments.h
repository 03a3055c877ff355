// The command line of kestrune-batch: the options of the window's run, where the outputs go,
// which files, and what to do instead of a run (help, version, the encoder lines alone).
#pragma once

#include "Unit1/EncoderOptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrune::app {

struct BatchArguments {
    unit1::EncoderOptions options;  // the window's at its start unless the options change them
    std::string outputFolder;
    std::vector<std::string> paths;  // files and folders, in order
    bool pathsFromInput = false;     // "-": read more paths from standard input
    bool nulSeparated = false;       // "-0": those paths end with a zero byte, not a line end
    std::optional<int> encoders;     // "-j"; 0 is one per processor
    std::optional<std::string> encoderPath;
    bool keepFolders = false;  // "--keep-folders"
    bool neverLarger = false;  // "--never-larger"
    // The encoder, encoders and the two switches above from Kestrune.ini, unless given here.
    bool fromSettings = false;
    bool dryRun = false;
    bool help = false;
    bool version = false;
};

// Why the command line cannot be run, in Russian, in one line.
struct ArgumentError {
    std::string reason;
};

std::variant<BatchArguments, ArgumentError> ParseBatchArguments(
    const std::vector<std::string>& arguments);

// The usage, in Russian, as --help prints it.
std::string BatchUsage();

}  // namespace kestrune::app
