// What the program's command line asks for: files and folders to list at the start, as if
// they had been dropped on the list, or a text to show instead of the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrune::unit1 {

struct StartupRequest {
    std::vector<std::string> paths;      // to list, in order
    std::optional<std::string> message;  // shown instead of the window: help, version, error
    int exitStatus = 0;                  // with the message: 0, or 2 for a wrong argument
};

StartupRequest ReadStartupArguments(const std::vector<std::string>& arguments);

}  // namespace kestrune::unit1
