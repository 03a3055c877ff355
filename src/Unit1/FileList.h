// The queue of files a run re-encodes: parallel lists indexed by the row of the list view,
// and the rules that merge the open dialog's result into it. Reading an entry that does not
// exist yields an empty text.
#pragma once

#include "platform/Paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::unit1 {

// The small images of the list's rows.
inline constexpr int kRowCreatedImage = 0;   // also: the row could not be re-encoded
inline constexpr int kRowAnalysedImage = 1;  // the file was analysed as MPEG audio

struct FileList {
    std::vector<std::string> sourcePaths;  // full paths; its entry count is the row count
    std::vector<std::string> titles;
    std::vector<std::string> artists;
    std::vector<std::string> albums;
    std::vector<std::string> years;
    std::vector<std::string> genres;  // ID3v1 genre number "0".."147", empty for none
    // What the source's tags hold beyond the edited fields, carried into the re-encoded file.
    std::vector<std::string> tracks;  // e.g. "5/12", empty for none
    std::vector<std::string> comments;
};

// The entry at an index, or an empty text when there is none.
std::string EntryAt(const std::vector<std::string>& entries, int index);

// True when sourcePaths holds a path of the same length that equals it once the ASCII
// letters A to Z of both are folded to lower case; every other character must match.
bool IsListed(const FileList& list, std::string_view path);

// The paths the open dialog's result names: the full path of one file, or a folder
// followed by "\r" and file names separated by "\r", joined with the primary separator.
std::vector<std::string> SelectedPaths(std::string_view result,
                                       platform::PathSeparators separators);

// Appends to sourcePaths, in order, every path that is not listed yet (a path given twice
// is appended once). Listed paths keep their places.
void AddPaths(FileList& list, const std::vector<std::string>& paths);

// The folder the next open dialog starts in: for one file its folder with the separator,
// for several the folder piece with the primary separator added unless it ends in one.
std::string SelectionFolder(std::string_view result, platform::PathSeparators separators);

}  // namespace kestrune::unit1
