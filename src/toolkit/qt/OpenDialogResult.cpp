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
    // The folder without its final separator, which only the root keeps.
    const std::string_view folder = platform::FolderOf(paths.front());
    std::string result(folder.size() > 1 ? platform::WithoutTrailingSeparator(folder) : folder);
    for (const std::string& path : paths) {
        result += '\r';
        result += platform::FileNameOf(path);
    }
    return result;
}

}  // namespace kestrune::toolkit::qt
