// Reads the row from the file list and the options from the controls, then joins the text.
#include "Unit1/MainWindowCommandLine.h"

#include "Unit1/OptionControls.h"

namespace kestrune::unit1 {

EncoderRow ReadEncoderRow(const MainWindow& w, int row) {
    const FileEntry& entry = w.fileList.At(row);
    return EncoderRow{.sourcePath = entry.sourcePath,
                      .title = entry.title,
                      .artist = entry.artist,
                      .album = entry.album,
                      .year = entry.year,
                      .genre = entry.genre,
                      .outputName = entry.outputName,
                      .track = entry.track,
                      .comment = entry.comment};
}

std::string BuildEncoderCommandLine(const MainWindow& w, int row, std::string_view outputFile,
                                    const std::string& picturePath) {
    EncoderRow values = ReadEncoderRow(w, row);
    values.picturePath = picturePath;
    return BuildEncoderCommandLine(ReadEncoderOptions(w), values, outputFile);
}

}  // namespace kestrune::unit1
