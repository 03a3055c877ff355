// Dropped files alone are added at once, as a selection of the open dialog; a drop with a
// folder in it is walked and analysed in the background.
#include "Unit1/FileDrop.h"

#include "Unit1/FolderAdd.h"
#include "Unit1/ListCommands.h"
#include "Unit1/Mp3Files.h"
#include "platform/File.h"

#include <algorithm>

namespace kestrune::unit1 {

void AddDroppedFiles(MainWindow& w, const std::vector<std::string>& dropped) {
    if (std::ranges::any_of(dropped,
                            [](const std::string& path) { return platform::IsFolder(path); })) {
        AddInBackground(w, dropped);
        return;
    }
    std::vector<std::string> paths;
    for (FoundMp3& file : FindMp3Files(dropped).files) {
        paths.push_back(std::move(file.path));
    }
    AddSelection(w, paths);
}

}  // namespace kestrune::unit1
