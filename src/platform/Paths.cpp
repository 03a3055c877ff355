// Path helpers over a given separator set.
#include "platform/Paths.h"

#include "platform/AsciiText.h"

namespace kestrune::platform {

bool IsSamePathSpelling(std::string_view a, std::string_view b, NameCase rule) {
    return rule == NameCase::asciiFolded ? EqualIgnoringAsciiCase(a, b) : a == b;
}

std::string SpellingKey(std::string_view path, NameCase rule) {
    std::string key(path);
    if (rule == NameCase::asciiFolded) {
        for (char& c : key) {
            c = AsciiLower(c);
        }
    }
    return key;
}

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

bool EndsWithSeparator(std::string_view path, PathSeparators separators) {
    return !path.empty() && separators.all.find(path.back()) != std::string_view::npos;
}

std::string WithTrailingSeparator(std::string_view folder, PathSeparators separators) {
    std::string path(folder);
    if (!EndsWithSeparator(path, separators)) {
        path.push_back(separators.primary);
    }
    return path;
}

std::string_view WithoutTrailingSeparator(std::string_view path, PathSeparators separators) {
    return EndsWithSeparator(path, separators) ? path.substr(0, path.size() - 1) : path;
}

std::string JoinPath(std::string_view folder, std::string_view name, PathSeparators separators) {
    std::string path(folder);
    path.push_back(separators.primary);
    path.append(name);
    return path;
}

}  // namespace kestrune::platform
