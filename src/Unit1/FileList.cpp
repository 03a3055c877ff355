// The file list's own rules: reading entries safely, the duplicate check as the file system
// spells names, and the two forms of the open dialog's result.
#include "Unit1/FileList.h"

#include <algorithm>

namespace kestrune::unit1 {

FileEntry EntryOfFile(const std::string& path) {
    return EntryOf(path, mpeg::ReadFileListRow(path));
}

FileEntry EntryOf(const std::string& path, const mpeg::FileListRow& analysis) {
    return {.sourcePath = path,
            .outputName = analysis.name,
            .title = analysis.title,
            .artist = analysis.artist,
            .album = analysis.album,
            .year = analysis.year,
            .genre = analysis.genre,
            .track = analysis.track,
            .comment = analysis.comment,
            .hasId3v2 = analysis.hasId3v2,
            .valid = analysis.valid};
}

const FileEntry& FileList::At(int row) const {
    static const FileEntry kNoEntry;
    return row >= 0 && row < Count() ? entries_[static_cast<std::size_t>(row)] : kNoEntry;
}

FileEntry* FileList::Find(int row) {
    return row >= 0 && row < Count() ? &entries_[static_cast<std::size_t>(row)] : nullptr;
}

void FileList::Erase(int row) {
    if (row >= 0 && row < Count()) {
        entries_.erase(entries_.begin() + row);
    }
}

bool FileList::IsListed(std::string_view path) const {
    return std::ranges::any_of(entries_, [&](const FileEntry& entry) {
        return platform::IsSamePathSpelling(entry.sourcePath, path);
    });
}

std::vector<std::string> NewPaths(const FileList& list, const std::vector<std::string>& paths) {
    std::vector<std::string> fresh;
    for (const std::string& path : paths) {
        const bool taken =
            list.IsListed(path) || std::ranges::any_of(fresh, [&](const std::string& earlier) {
                return platform::IsSamePathSpelling(earlier, path);
            });
        if (!taken) {
            fresh.push_back(path);
        }
    }
    return fresh;
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

std::string SelectionFolder(std::string_view result, platform::PathSeparators separators) {
    const std::size_t cut = result.find('\r');
    if (cut == std::string_view::npos) {
        return std::string(platform::FolderOf(result, separators));
    }
    return platform::WithTrailingSeparator(result.substr(0, cut), separators);
}

}  // namespace kestrune::unit1
