// The ID3v2 tag at the start of an MP3 file: where the audio begins and the texts of the
// frames the program shows. Never fails loudly: only a source too short or unreadable for
// the 10-byte header gives a false result.
#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <string>

namespace kestrune::id3v2 {

class Id3v2Tag {
public:
    bool exists = false;
    std::uint8_t version = 0;  // the header's major version byte
    std::uint8_t flags = 0;    // the header's flags byte
    // Header, frames, padding and footer: where the audio begins. 0 without a tag, and
    // when the declared size is larger than the file.
    std::int32_t size = 0;
    std::string title;  // the texts are UTF-8
    std::string artist;
    std::string album;
    std::uint16_t track = 0;
    std::string trackText;  // e.g. "3/12"
    std::string year;
    std::string genre;    // without a leading genre reference such as "(17)"
    std::string comment;  // the first comment without a description, read whole
    std::string composer;
    std::string encoder;
    std::string copyright;
    std::string language;
    std::string link;

    void Reset();

    // Reads the tag at the start of an open source. False when the first 10 bytes cannot
    // be read; the object is then reset.
    bool ReadFrom(platform::ByteSource& source);

    // Opens the file, reads its tag and closes it again.
    bool ReadFromFile(const std::string& path);
};

}  // namespace kestrune::id3v2
