// The program's command-line arguments as UTF-8, whatever the platform's own encoding.
#pragma once

#include <string>
#include <vector>

namespace kestrune::platform {

// The arguments after the program name. On Windows they are taken from the wide command
// line, since argv holds them in the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace kestrune::platform
