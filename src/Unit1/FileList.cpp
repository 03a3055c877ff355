// The file list's own rules: reading entries safely and the duplicate check as the file
// system spells names.
#include "Unit1/FileList.h"

#include <algorithm>

namespace kestrune::unit1 {

FileEntry EntryOfFile(const std::string& path, std::string folderBelow) {
    return EntryOf(path, mpeg::ReadFileListRow(path), std::move(folderBelow));
}

FileEntry EntryOf(const std::string& path, const mpeg::FileListRow& analysis,
                  std::string folderBelow) {
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
            .valid = analysis.valid,
            .bitRate = analysis.bitRate,
            .folderBelow = std::move(folderBelow)};
}

const FileEntry& FileList::At(int row) const {
    static const FileEntry kNoEntry;
    return row >= 0 && row < Count() ? entries_[static_cast<std::size_t>(row)] : kNoEntry;
}

FileEntry* FileList::Find(int row) {
    return row >= 0 && row < Count() ? &entries_[static_cast<std::size_t>(row)] : nullptr;
}

void FileList::Append(FileEntry entry) {
    keys_.insert(platform::SpellingKey(entry.sourcePath));
    entries_.push_back(std::move(entry));
}

void FileList::Erase(int row) {
    if (row >= 0 && row < Count()) {
        keys_.erase(platform::SpellingKey(entries_[static_cast<std::size_t>(row)].sourcePath));
        entries_.erase(entries_.begin() + row);
    }
}

void FileList::Clear() {
    entries_.clear();
    keys_.clear();
}

bool FileList::IsListed(std::string_view path) const {
    return keys_.contains(platform::SpellingKey(path));
}

std::vector<std::string> NewPaths(const FileList& list, const std::vector<std::string>& paths) {
    std::vector<std::string> fresh;
    std::unordered_set<std::string> seen;
    for (const std::string& path : paths) {
        if (!list.IsListed(path) && seen.insert(platform::SpellingKey(path)).second) {
            fresh.push_back(path);
        }
    }
    return fresh;
}

}  // namespace kestrune::unit1
