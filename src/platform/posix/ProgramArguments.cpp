// POSIX hands the program its arguments as bytes; file names are taken as they are.
#include "platform/ProgramArguments.h"

namespace kestrune::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace kestrune::platform
