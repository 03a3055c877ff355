// The file list's own rules: reading entries safely, the duplicate check with ASCII-only
// case folding, and the two forms of the open dialog's result.
#include "Unit1/FileList.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {}  // namespace

std::string EntryAt(const std::vector<std::string>& entries, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? entries[index]
                                                                          : std::string();
}

bool IsListed(const FileList& list, std::string_view path) {
    return std::ranges::any_of(list.sourcePaths, [&](const std::string& listed) {
        return platform::EqualIgnoringAsciiCase(listed, path);
    });
}

std::vector<std::string> SelectedPaths(std::string_view result,
                                       platform::PathSeparators separators) {
    std::size_t cut = result.find('\r');
    if (cut == std::string_view::npos) {
        return {std::string(result)};
    }
    // A root folder ("C:\") already ends in its separator; a second one would make a path
    // that the duplicate check takes for another file.
    const std::string folder = platform::WithTrailingSeparator(result.substr(0, cut), separators);
    std::vector<std::string> paths;
    while (cut != std::string_view::npos) {
        result.remove_prefix(cut + 1);
        cut = result.find('\r');
        paths.push_back(folder + std::string(result.substr(0, cut)));
    }
    return paths;
}

void AddPaths(FileList& list, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (!IsListed(list, path)) {
            list.sourcePaths.push_back(path);
        }
    }
}

std::string SelectionFolder(std::string_view result, platform::PathSeparators separators) {
    const std::size_t cut = result.find('\r');
    if (cut == std::string_view::npos) {
        return std::string(platform::FolderOf(result, separators));
    }
    return platform::WithTrailingSeparator(result.substr(0, cut), separators);
}

}  // namespace kestrune::unit1
