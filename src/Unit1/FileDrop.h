// Files dropped on the list view: the MP3 files among them and in the dropped folders are
// added as a selection of the open dialog is.
#pragma once

#include "Unit1/MainWindow.h"

#include <string>
#include <vector>

namespace kestrune::unit1 {

// The dropped files whose name ends in ".mp3" in any letter case, in the order dropped; for
// a dropped folder, the MP3 files directly inside it, sorted by name. Other entries and
// unreadable folders give nothing.
std::vector<std::string> Mp3FilesOf(const std::vector<std::string>& dropped);

// Adds the MP3 files of a drop. The open dialog's start folder is left as it is: a drop
// says nothing about where the user browses.
void AddDroppedFiles(MainWindow& w, const std::vector<std::string>& dropped);

}  // namespace kestrune::unit1
