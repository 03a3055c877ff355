// What the file list shows and keeps for one file: its name, size, bit rate and kind, the
// tag values the encoder will write, the track number and comment it carries over, and the
// playing time. The file list and kestrune-probe both take their rows from here, so they
// never disagree.
#pragma once

#include <cstdint>
#include <string>

namespace kestrune::mpeg {

struct FileListRow {
    std::string name;       // file name without folder and last extension, as valid UTF-8
    std::int64_t size = 0;  // bytes; 0 when the file cannot be found
    bool valid = false;     // analysed and plausible: the columns and tags below are filled
    std::uint16_t bitRate = 0;
    bool isVbr = false;
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string genre;  // ID3v1 genre number "0".."147", empty for no genre
    std::string track;  // as the tag has it, e.g. "5/12"; empty for none
    std::string comment;
    bool hasId3v2 = false;  // the file begins with an ID3v2 tag, carried into its output
    double duration = 0.0;  // seconds
};

FileListRow ReadFileListRow(const std::string& path);

// Decimal digits with "," between groups of three, counted from the right: 1,234,567.
std::string GroupThousands(std::int64_t value);

// The kind column: "VBR" or "CBR" for a valid row, empty otherwise.
std::string KindText(const FileListRow& row);

// The bit rate column: decimal kbit/s for a valid row, empty otherwise.
std::string BitRateText(const FileListRow& row);

}  // namespace kestrune::mpeg
