// Builds the open dialog's result text with the POSIX path rules.
#include "toolkit/qt/OpenDialogResult.h"

#include "platform/Paths.h"

namespace kestrune::toolkit::qt {

std::string OpenDialogResultText(const std::vector<std::string>& paths) {
    if (paths.size() == 1) {
        return paths.front();
    }
    if (paths.empty()) {
        return {};
    }
    std::string result(platform::FolderOf(paths.front()));
    if (result.size() > 1) {
        result.pop_back();  // the final separator, kept only by the root
    }
    for (const std::string& path : paths) {
        result += '\r';
        result += platform::FileNameOf(path);
    }
    return result;
}

}  // namespace kestrune::toolkit::qt
