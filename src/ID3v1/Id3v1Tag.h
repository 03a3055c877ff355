// The ID3v1 tag in the last 128 bytes of an MP3 file. Never fails loudly: a missing file
// reads as a file without a tag, and only a failed read gives a false result.
#pragma once

#include "ID3v1/Id3v1Layout.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <string>

namespace kestrune::id3v1 {

class Id3v1Tag {
public:
    bool exists = false;
    std::uint8_t version = 1;  // 1: ID3v1.0 layout, 2: ID3v1.1 layout with a track byte
    std::string title;         // the texts are UTF-8, decoded from the legacy code page
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::uint8_t track = 0;      // set for version 2 only
    std::uint8_t genreId = 255;  // the raw byte; 148 and above name no genre

    void Reset();

    // Reads the tag at the end of an open source. False only when the read failed; the
    // object is then reset.
    bool ReadFrom(platform::ByteSource& source);

    // Opens the file, reads its tag and closes it again.
    bool ReadFromFile(const std::string& path);
};

}  // namespace kestrune::id3v1
