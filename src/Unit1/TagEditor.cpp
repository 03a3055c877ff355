// The editor's fields hold the values of the row named by currentRow while currentRowName
// is not empty; the genre box's item 0 is the blank item, item k the genre k - 1.
#include "Unit1/TagEditor.h"

#include "ID3v1/GenreTable.h"
#include "platform/TextCodec.h"

#include <charconv>

namespace kestrune::unit1 {

int GenreItemOf(const std::string& genre) {
    int number = -1;
    const char* end = genre.data() + genre.size();
    const auto [stop, error] = std::from_chars(genre.data(), end, number);
    if (error != std::errc() || stop != end || number < 0 ||
        number >= static_cast<int>(id3v1::kGenreCount)) {
        return 0;
    }
    return number + 1;
}

std::string GenreOfItem(int item) {
    return item > 0 ? std::to_string(item - 1) : std::string();
}

void ClearTagEditor(MainWindow& w) {
    w.currentRow = 0;
    w.currentRowName.clear();
    for (toolkit::Edit* field : {w.titleEdit, w.artistEdit, w.albumEdit, w.yearEdit}) {
        field->SetText("");
    }
    w.genreBox->SetSelectedIndex(0);
    w.saveButton->SetEnabled(false);
}

void LoadRowIntoEditor(MainWindow& w, int row) {
    ClearTagEditor(w);
    w.saveButton->SetEnabled(false);
    w.currentRowName = w.fileListView->CellText(row, 0);
    const FileList& list = w.fileList;
    w.titleEdit->SetText(EntryAt(list.titles, row));
    w.artistEdit->SetText(EntryAt(list.artists, row));
    w.albumEdit->SetText(EntryAt(list.albums, row));
    w.yearEdit->SetText(EntryAt(list.years, row));
    w.genreBox->SetSelectedIndex(GenreItemOf(EntryAt(list.genres, row)));
    w.currentRow = row;
}

void SaveTagChanges(MainWindow& w) {
    FileList& list = w.fileList;
    const auto row = static_cast<std::size_t>(w.currentRow);
    if (w.currentRowName.empty() || w.currentRow < 0 || row >= list.sourcePaths.size()) {
        return;
    }
    list.titles.at(row) = w.titleEdit->Text();
    list.artists.at(row) = w.artistEdit->Text();
    list.albums.at(row) = w.albumEdit->Text();
    list.years.at(row) = w.yearEdit->Text();
    list.genres.at(row) = GenreOfItem(w.genreBox->SelectedIndex());
}

void LimitTagField(MainWindow& w, toolkit::Edit& field, int limit) {
    const std::string text = field.Text();
    if (platform::CountCharacters(text) > static_cast<std::size_t>(limit)) {
        toolkit::Beep();
        // Setting the cut text runs this handler again, now within the limit.
        field.SetText(std::string(platform::FirstCharacters(text, limit)));
        field.SetCaretPosition(limit);
    }
    MarkTagsChanged(w);
}

void MarkTagsChanged(MainWindow& w) {
    if (!w.currentRowName.empty()) {
        w.saveButton->SetEnabled(true);
    }
}

}  // namespace kestrune::unit1
