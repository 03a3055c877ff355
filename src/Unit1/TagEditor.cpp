// The editor's fields hold the values of the row named by currentRow while currentRowName
// holds a name; the genre box's item 0 is the blank item, item k the genre k - 1. A text
// longer than an ID3v1 field is kept whole: it reaches an ID3v2 tag whole.
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
    w.currentRowName.reset();
    for (toolkit::Edit* field : {w.titleEdit, w.artistEdit, w.albumEdit, w.yearEdit}) {
        field->SetText("");
    }
    w.genreBox->SetSelectedIndex(0);
    w.saveButton->SetEnabled(false);
}

void LoadRowIntoEditor(MainWindow& w, int row) {
    ClearTagEditor(w);
    w.saveButton->SetEnabled(false);
    const FileEntry& entry = w.fileList.At(row);
    w.currentRowName = entry.outputName;
    w.showingRow = true;
    w.titleEdit->SetText(entry.title);
    w.artistEdit->SetText(entry.artist);
    w.albumEdit->SetText(entry.album);
    w.yearEdit->SetText(entry.year);
    w.showingRow = false;
    w.genreBox->SetSelectedIndex(GenreItemOf(entry.genre));
    w.currentRow = row;
}

void SaveTagChanges(MainWindow& w) {
    FileEntry* entry = w.fileList.Find(w.currentRow);
    if (!w.currentRowName || entry == nullptr) {
        return;
    }
    entry->title = w.titleEdit->Text();
    entry->artist = w.artistEdit->Text();
    entry->album = w.albumEdit->Text();
    entry->year = w.yearEdit->Text();
    entry->genre = GenreOfItem(w.genreBox->SelectedIndex());
}

void LimitTagField(MainWindow& w, toolkit::Edit& field, int limit) {
    const std::string text = field.Text();
    const bool onlyId3v1 = !w.id3v2Box->IsChecked() && !w.fileList.At(w.currentRow).hasId3v2;
    if (!w.showingRow && onlyId3v1 &&
        platform::CountCharacters(text) > static_cast<std::size_t>(limit)) {
        toolkit::Beep();
        // Setting the cut text runs this handler again, now within the limit.
        field.SetText(std::string(platform::FirstCharacters(text, limit)));
        field.SetCaretPosition(limit);
    }
    MarkTagsChanged(w);
}

void MarkTagsChanged(MainWindow& w) {
    if (w.currentRowName) {
        w.saveButton->SetEnabled(true);
    }
}

}  // namespace kestrune::unit1
