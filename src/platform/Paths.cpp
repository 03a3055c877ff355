// Path helpers over a given separator set.
#include "platform/Paths.h"

namespace kestrune::platform {

std::string_view FileNameOf(std::string_view path, PathSeparators separators) {
    const std::size_t last = path.find_last_of(separators.all);
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string_view FolderOf(std::string_view path, PathSeparators separators) {
    const std::size_t last = path.find_last_of(separators.all);
    return last == std::string_view::npos ? std::string_view{} : path.substr(0, last + 1);
}

std::string_view StemOf(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

std::string JoinPath(std::string_view folder, std::string_view name, PathSeparators separators) {
    std::string path(folder);
    path.push_back(separators.primary);
    path.append(name);
    return path;
}

}  // namespace kestrune::platform
