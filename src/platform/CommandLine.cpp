// Windows command-line splitting and quoting.
#include "platform/CommandLine.h"

namespace kestrune::platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads one argument from `at`, with the backslash rules.
std::string ReadArgument(std::string_view line, std::size_t& at) {
    std::string argument;
    bool quoted = false;
    while (at < line.size() && (quoted || !IsBlank(line[at]))) {
        const char c = line[at];
        if (c == '\\') {
            const std::size_t runEnd = line.find_first_not_of('\\', at);
            const std::size_t run = (runEnd == std::string_view::npos ? line.size() : runEnd) - at;
            at += run;
            if (at < line.size() && line[at] == '"') {
                argument.append(run / 2, '\\');
                if (run % 2 == 1) {
                    argument.push_back('"');
                    ++at;
                }
            } else {
                argument.append(run, '\\');
            }
        } else if (c == '"') {
            if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                argument.push_back('"');
                at += 2;
            } else {
                quoted = !quoted;
                ++at;
            }
        } else {
            argument.push_back(c);
            ++at;
        }
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (true) {
        while (at < commandLine.size() && IsBlank(commandLine[at])) {
            ++at;
        }
        if (at == commandLine.size()) {
            return arguments;
        }
        arguments.push_back(ReadArgument(commandLine, at));
    }
}

std::string QuoteArgument(std::string_view argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    quoted.push_back('"');
    return quoted;
}

}  // namespace kestrune::platform
