// The encoder's argument text for one row of the file list: input, output, channel mode,
// bit rate or quality, the tag fields and what the source's tags carry over. Its blanks and
// quotes are part of the interface with the encoder; the text starts with a blank, so the
// encoder's path goes right before it.
#pragma once

#include "Unit1/EncoderOptions.h"
#include "platform/Paths.h"

#include <string>
#include <string_view>

namespace kestrune::unit1 {

// One row's values, as the file list holds them.
struct EncoderRow {
    std::string sourcePath;
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string genre;       // a genre number 0..147 in decimal, or empty for none
    std::string outputName;  // the source file's name without its extension
    // What the source's tags hold beyond the edited fields; empty when they hold nothing.
    std::string track = {};  // e.g. "5/12"
    std::string comment = {};
    std::string picturePath = {};  // a file with the source's cover picture
};

// The encoder writes a picture only into an ID3v2 tag, and an ID3v2 tag only when asked for.
bool CarriesPicture(const EncoderOptions& options);

// Where the encoder writes a row: the output folder, one separator, the name and ".mp3".
std::string OutputPath(std::string_view outputFolder, std::string_view outputName,
                       platform::PathSeparators separators = platform::kNativeSeparators);

// The whole command line that starts the encoder: its path, quoted like every argument,
// then the argument text of BuildEncoderCommandLine.
std::string FullEncoderCommandLine(std::string_view encoderPath, const EncoderOptions& options,
                                   const EncoderRow& row, std::string_view outputFile);

// Always succeeds. outputFile is the file the encoder writes. With tag options, the track
// number, comment and picture follow the genre when the row has them, the picture only when
// the options carry one. Every value reaches the encoder as exactly one argument, up to a
// zero byte: a value with a double quote or trailing backslashes is escaped by the Windows
// rules; any other value is written as it stands between two double quotes.
std::string BuildEncoderCommandLine(const EncoderOptions& options, const EncoderRow& row,
                                    std::string_view outputFile);

}  // namespace kestrune::unit1
