// Composes and reads the open dialog's result text.
#include "toolkit/OpenDialogResult.h"

namespace kestrune::toolkit {

namespace {

constexpr char kPieceSeparator = '\r';

}  // namespace

std::string OpenDialogResultText(std::string_view pathOrFolder,
                                 const std::vector<std::string>& names) {
    std::string result(pathOrFolder);
    for (const std::string& name : names) {
        result += kPieceSeparator;
        result += name;
    }
    return result;
}

std::vector<std::string> SelectedPaths(std::string_view result,
                                       platform::PathSeparators separators) {
    std::size_t cut = result.find(kPieceSeparator);
    if (cut == std::string_view::npos) {
        return {std::string(result)};
    }
    // A root folder ("C:\") already ends in its separator; a second one would make a path
    // that the duplicate check takes for another file.
    const std::string folder = platform::WithTrailingSeparator(result.substr(0, cut), separators);
    std::vector<std::string> paths;
    while (cut != std::string_view::npos) {
        result.remove_prefix(cut + 1);
        cut = result.find(kPieceSeparator);
        paths.push_back(folder + std::string(result.substr(0, cut)));
    }
    return paths;
}

std::string SelectionFolder(std::string_view result, platform::PathSeparators separators) {
    const std::size_t cut = result.find(kPieceSeparator);
    if (cut == std::string_view::npos) {
        return std::string(platform::FolderOf(result, separators));
    }
    return platform::WithTrailingSeparator(result.substr(0, cut), separators);
}

}  // namespace kestrune::toolkit
