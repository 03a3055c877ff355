// Reads the row from the file list and the options from the controls, then joins the text.
#include "Unit1/MainWindowCommandLine.h"

#include "Unit1/OptionControls.h"

namespace kestrune::unit1 {

EncoderRow ReadEncoderRow(const MainWindow& w, int row) {
    const FileList& list = w.fileList;
    return EncoderRow{.sourcePath = EntryAt(list.sourcePaths, row),
                      .title = EntryAt(list.titles, row),
                      .artist = EntryAt(list.artists, row),
                      .album = EntryAt(list.albums, row),
                      .year = EntryAt(list.years, row),
                      .genre = EntryAt(list.genres, row),
                      .outputName = w.fileListView->CellText(row, 0),
                      .track = EntryAt(list.tracks, row),
                      .comment = EntryAt(list.comments, row)};
}

std::string BuildEncoderCommandLine(const MainWindow& w, int row, std::string_view outputFile,
                                    const std::string& picturePath) {
    EncoderRow values = ReadEncoderRow(w, row);
    values.picturePath = picturePath;
    return BuildEncoderCommandLine(ReadEncoderOptions(w), values, outputFile);
}

}  // namespace kestrune::unit1
