// The encoder's argument text for one row of the file list: input, output, channel mode,
// bit rate or quality, and the tag fields. Its blanks and quotes are part of the interface
// with the encoder; the text starts with a blank, so the encoder's path goes right before it.
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
};

// Where the encoder writes a row: the output folder, one separator, the name and ".mp3".
std::string OutputPath(std::string_view outputFolder, std::string_view outputName,
                       platform::PathSeparators separators = platform::kNativeSeparators);

// Always succeeds. outputFile is the file the encoder writes. Every value reaches the encoder
// as exactly one argument: a value with a double quote or trailing backslashes is escaped by
// the Windows rules; any other value is written as it stands between two double quotes.
std::string BuildEncoderCommandLine(const EncoderOptions& options, const EncoderRow& row,
                                    std::string_view outputFile);

}  // namespace kestrune::unit1
