// Windows: the wide command line split by CommandLineToArgvW, converted to UTF-8.
#include "platform/ProgramArguments.h"

#include "platform/win32/WideText.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <memory>

namespace kestrune::platform {

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> result;
    for (int i = 1; arguments && i < count; ++i) {
        result.push_back(win32::Narrow(arguments.get()[i]));
    }
    return result;
}

}  // namespace kestrune::platform
