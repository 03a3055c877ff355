// The tag editor of one list row: loading a row's values into the fields, writing them
// back, the character limits of the fields, and when the save button becomes available.
#pragma once

#include "ID3v1/Id3v1Layout.h"
#include "Unit1/MainWindow.h"

#include <string>

namespace kestrune::unit1 {

// What typing may put in a field whose text can go nowhere but an ID3v1 tag.
inline constexpr int kTextTagLimit = static_cast<int>(id3v1::kTextFieldWidth);
inline constexpr int kYearTagLimit = static_cast<int>(id3v1::kYearFieldWidth);

// The genre box item that shows a stored genre: item 0 (blank) for none, else number + 1.
int GenreItemOf(const std::string& genre);
// The stored genre of a genre box item: empty for the blank item, else index - 1.
std::string GenreOfItem(int item);

// Forgets the shown row, empties the fields, selects the blank genre and disables the
// save button, so that a save can never write an empty editor into a row.
void ClearTagEditor(MainWindow& w);

// Shows the row's values as they are, however long. The fields are filled after the row's
// name is set, so filling them makes the save button available again.
void LoadRowIntoEditor(MainWindow& w, int row);

// Writes the fields into the lists at the shown row; nothing without a shown row.
void SaveTagChanges(MainWindow& w);

// Where the field's text can go nowhere but an ID3v1 tag (the shown row's source has no
// ID3v2 tag and "ID3v2" is not ticked), cuts what the user typed to the limit with one beep,
// caret after the limit. Makes the save button available while a row is shown.
void LimitTagField(MainWindow& w, toolkit::Edit& field, int limit);

// Makes the save button available while a row is shown.
void MarkTagsChanged(MainWindow& w);

}  // namespace kestrune::unit1
