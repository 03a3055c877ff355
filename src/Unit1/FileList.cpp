// The file list's own rules: reading entries safely, the duplicate check with ASCII-only
// case folding, and the two forms of the open dialog's result.
#include "Unit1/FileList.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithSeparator(std::string_view folder, platform::PathSeparators separators) {
    return !folder.empty() && separators.all.find(folder.back()) != std::string_view::npos;
}

bool EqualFoldingAscii(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace

std::string EntryAt(const std::vector<std::string>& entries, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? entries[index]
                                                                          : std::string();
}

bool IsListed(const FileList& list, std::string_view path) {
    return std::ranges::any_of(list.sourcePaths, [&](const std::string& listed) {
        return EqualFoldingAscii(listed, path);
    });
}

std::vector<std::string> SelectedPaths(std::string_view result,
                                       platform::PathSeparators separators) {
    std::size_t cut = result.find('\r');
    if (cut == std::string_view::npos) {
        return {std::string(result)};
    }
    const std::string_view folder = result.substr(0, cut);
    // A root folder ("C:\") already ends in its separator; a second one would make a path
    // that the duplicate check takes for another file.
    const bool rootFolder = EndsWithSeparator(folder, separators);
    std::vector<std::string> paths;
    while (cut != std::string_view::npos) {
        result.remove_prefix(cut + 1);
        cut = result.find('\r');
        const std::string_view name = result.substr(0, cut);
        paths.push_back(rootFolder ? std::string(folder).append(name)
                                   : platform::JoinPath(folder, name, separators));
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
    std::string folder(result.substr(0, cut));
    if (!EndsWithSeparator(folder, separators)) {
        folder.push_back(separators.primary);
    }
    return folder;
}

}  // namespace kestrune::unit1
