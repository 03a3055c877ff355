// Files dropped on the list view: the MP3 files among them and in the dropped folders are
// added as a selection of the open dialog is.
#pragma once

#include "Unit1/MainWindow.h"

#include <string>
#include <vector>

namespace kestrune::unit1 {

// Adds the MP3 files of a drop, the files of dropped folders with their subfolders in the
// background (FolderAdd.h). The open dialog's start folder is left as it is: a drop says
// nothing about where the user browses.
void AddDroppedFiles(MainWindow& w, const std::vector<std::string>& dropped);

}  // namespace kestrune::unit1
