// Adding folders with all their subfolders without freezing the window: a worker thread
// walks them and analyses each MP3 file, while the window's timer takes the analysed files
// into the list a slice at a time, so the window answers throughout. The caption shows how
// far the add is; the compress button waits until it is done. A new list, another add or the
// window's closing cancels it: the rows taken so far stay, nothing half-taken is left.
#pragma once

#include "Unit1/MainWindow.h"

#include <string>
#include <vector>

namespace kestrune::unit1 {

inline constexpr const char* kAddFolderMenuItem = "Добавить папку...";

// Adds the MP3 files the paths name, folders with their subfolders, in the background.
void AddInBackground(MainWindow& w, std::vector<std::string> paths);

// The add button's context menu: its one item asks for a folder and adds it.
void ShowAddMenu(MainWindow& w);

// Stops an add in progress; the rows it has taken stay. Nothing when none runs.
void CancelAdd(MainWindow& w);

}  // namespace kestrune::unit1
