// The commands of the button row that change the file list: adding files through the open
// dialog, deleting the selected row and starting a new list. Every command keeps the list
// view and the file list row for row.
#pragma once

#include "MPEGaudio/FileListRow.h"
#include "Unit1/MainWindow.h"

#include <string>
#include <vector>

namespace kestrune::unit1 {

inline const toolkit::FileFilter kMp3Filter{"Файлы MP3", "*.mp3"};

// Asks for MP3 files and appends a row for every path not listed yet; listed rows keep
// their columns and tag values. The next dialog starts in the folder of this selection.
void AddFiles(MainWindow& w);

// Appends the paths that are not listed yet, in order, and analyses each into a new row. A
// path the toolkit could not carry unchanged is refused with a message naming it.
void AddSelection(MainWindow& w, const std::vector<std::string>& paths);

// Appends the row of an analysed file: the list view's row and the file list's entry.
void AppendRow(MainWindow& w, const std::string& path, const mpeg::FileListRow& analysis,
               std::string folderBelow = {});

// Removes the selected row (none when nothing is selected) and clears the tag editor.
void DeleteRow(MainWindow& w);

// Empties the list and clears the tag editor; an add in progress is cancelled first.
void NewList(MainWindow& w);

}  // namespace kestrune::unit1
