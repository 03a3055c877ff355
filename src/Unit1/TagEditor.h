// The tag editor of one list row: loading a row's values into the fields, writing them
// back, the character limits of the fields, and when the save button becomes available.
#pragma once

#include "Unit1/MainWindow.h"

#include <string>

namespace kestrune::unit1 {

inline constexpr int kTextTagLimit = 30;  // characters of title, artist and album
inline constexpr int kYearTagLimit = 4;

// The genre box item that shows a stored genre: item 0 (blank) for none, else number + 1.
int GenreItemOf(const std::string& genre);
// The stored genre of a genre box item: empty for the blank item, else index - 1.
std::string GenreOfItem(int item);

// Forgets the shown row, empties the fields, selects the blank genre and disables the
// save button, so that a save can never write an empty editor into a row.
void ClearTagEditor(MainWindow& w);

// Shows the row's values. The fields are filled after the row's name is set, so filling
// them makes the save button available again.
void LoadRowIntoEditor(MainWindow& w, int row);

// Writes the fields into the lists at the shown row; nothing without a shown row.
void SaveTagChanges(MainWindow& w);

// Cuts a field's text to its limit with one beep, caret after the limit, and makes the
// save button available while a row is shown.
void LimitTagField(MainWindow& w, toolkit::Edit& field, int limit);

// Makes the save button available while a row is shown.
void MarkTagsChanged(MainWindow& w);

}  // namespace kestrune::unit1
