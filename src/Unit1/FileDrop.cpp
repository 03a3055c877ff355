// Drops are read with std::filesystem; folders are not entered recursively.
#include "Unit1/FileDrop.h"

#include "Unit1/ListCommands.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kestrune::unit1 {

namespace {

bool HasMp3Extension(const std::string& path) {
    constexpr std::string_view kExtension = ".mp3";
    if (path.size() < kExtension.size()) {
        return false;
    }
    return std::ranges::equal(
        std::string_view(path).substr(path.size() - kExtension.size()), kExtension,
        [](char c, char e) { return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == e; });
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The MP3 files directly inside a folder, sorted by name.
std::vector<std::string> Mp3FilesInFolder(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        const std::string path = Utf8Of(entry->path());
        if (entry->is_regular_file(typeError) && HasMp3Extension(path)) {
            found.push_back(path);
        }
    }
    std::ranges::sort(found);
    return found;
}

}  // namespace

std::vector<std::string> Mp3FilesOf(const std::vector<std::string>& dropped) {
    std::vector<std::string> files;
    for (const std::string& path : dropped) {
        std::error_code error;
        const std::filesystem::path native = PathOf(path);
        if (std::filesystem::is_directory(native, error)) {
            std::ranges::move(Mp3FilesInFolder(native), std::back_inserter(files));
        } else if (HasMp3Extension(path)) {
            files.push_back(path);
        }
    }
    return files;
}

void AddDroppedFiles(MainWindow& w, const std::vector<std::string>& dropped) {
    AddSelection(w, Mp3FilesOf(dropped));
}

}  // namespace kestrune::unit1
