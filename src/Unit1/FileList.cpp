// The file list's own rules: reading entries safely and the duplicate check as the file
// system spells names.
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

}  // namespace kestrune::unit1
