// The MP3 files a list of files and folders names, as a drop on the list, the program's
// command line and kestrune-batch take them.
#pragma once

#include <string>
#include <vector>

namespace kestrune::unit1 {

// The files whose name ends in ".mp3" in any letter case, in the order given; for a folder,
// the MP3 files directly inside it, sorted by name. Other entries and unreadable folders give
// nothing.
std::vector<std::string> Mp3FilesOf(const std::vector<std::string>& paths);

}  // namespace kestrune::unit1
