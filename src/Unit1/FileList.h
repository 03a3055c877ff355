// The queue of files a run re-encodes: one entry per row of the list view, in the order the
// files were added, and the rules that merge the open dialog's result into it. Reading a row
// that does not exist yields an empty entry.
#pragma once

#include "MPEGaudio/FileListRow.h"
#include "platform/Paths.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrune::unit1 {

// The small images of the list's rows.
inline constexpr int kRowCreatedImage = 0;   // also: the row could not be re-encoded
inline constexpr int kRowAnalysedImage = 1;  // the file was analysed as MPEG audio

// One queued file: where it is, the name of its output, and the tag values the encoder
// writes (read from the file's tags when it was added, or edited since).
struct FileEntry {
    std::string sourcePath;
    std::string outputName;  // the file's name without folder and extension, as the list shows
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string genre;  // ID3v1 genre number "0".."147", empty for none
    // What the source's tags hold beyond the edited fields, carried into the re-encoded file.
    std::string track;  // e.g. "5/12", empty for none
    std::string comment;
    bool hasId3v2 = false;      // its ID3v2 tag is carried into the output, whole
    bool valid = false;         // analysed as MPEG audio when it was listed
    std::uint16_t bitRate = 0;  // kbit/s, averaged for VBR; 0 when not valid
    // Where it was found below a folder the user added, the added folder's name first; empty
    // for a file added on its own. Outputs may keep this tree.
    std::string folderBelow = {};
};

// The entry of a file as its analysis gives it: the one place that decides what a row
// carries, and whether it is valid.
FileEntry EntryOf(const std::string& path, const mpeg::FileListRow& analysis,
                  std::string folderBelow = {});
// The same, analysing the file first.
FileEntry EntryOfFile(const std::string& path, std::string folderBelow = {});

class FileList {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }
    const std::vector<FileEntry>& Entries() const { return entries_; }
    // The entry of a row; an empty entry for a row that does not exist.
    const FileEntry& At(int row) const;
    // The entry of a row to change in place; null for a row that does not exist.
    FileEntry* Find(int row);

    void Append(FileEntry entry);
    // Removes a row's entry; nothing for a row that does not exist.
    void Erase(int row);
    void Clear();

    // True when a listed path is spelled the same: on Windows once the ASCII letters A to Z
    // of both are folded to lower case, every other character matching; on POSIX byte for
    // byte, as its file systems tell names apart.
    bool IsListed(std::string_view path) const;
    // The listed paths as IsListed compares them (platform::SpellingKey).
    const std::unordered_set<std::string>& SpellingKeys() const { return keys_; }

private:
    std::vector<FileEntry> entries_;
    // The listed paths' spelling keys, so that a list of many files answers IsListed at once.
    std::unordered_set<std::string> keys_;
};

// The paths that are not listed yet, in order, each once.
std::vector<std::string> NewPaths(const FileList& list, const std::vector<std::string>& paths);

}  // namespace kestrune::unit1
