// The MP3 files a list of files and folders names, as a drop on the list, the program's
// command line, the add button's folder item and kestrune-batch take them: a file as itself,
// a folder with all its subfolders.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestrune::unit1 {

struct FoundMp3 {
    std::string path;
    // The added folder's name and the folders below it down to the file's, joined with the
    // native separator ("Music/Artist/Album"); empty for a file named on its own.
    std::string folderBelow;
};

struct Mp3Search {
    std::vector<FoundMp3> files;
    std::vector<std::string> unreadableFolders;
};

// Takes every file whose name ends in ".mp3" in any letter case, in the order given; for a
// folder, in name order folder by folder: its own files, then each of its folders in turn.
// Hidden folders are passed over, and a folder reached twice (through links) is entered
// once. Each file goes to `found` as soon as it is found; the walk ends early once `stop`
// answers true. Answers the folders that could not be read.
std::vector<std::string> WalkMp3Files(const std::vector<std::string>& paths,
                                      const std::function<void(FoundMp3)>& found,
                                      const std::function<bool()>& stop = {});

// The whole walk at once.
Mp3Search FindMp3Files(const std::vector<std::string>& paths);

}  // namespace kestrune::unit1
