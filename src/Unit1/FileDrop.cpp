// A drop adds what the dropped files and folders name, as a selection of the open dialog.
#include "Unit1/FileDrop.h"

#include "Unit1/ListCommands.h"
#include "Unit1/Mp3Files.h"

namespace kestrune::unit1 {

void AddDroppedFiles(MainWindow& w, const std::vector<std::string>& dropped) {
    AddSelection(w, Mp3FilesOf(dropped));
}

}  // namespace kestrune::unit1
