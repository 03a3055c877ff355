// Makes the 128 bytes of an ID3v1 tag from the program's UTF-8 texts, in the legacy code
// page the reader decodes with, so that what is written reads back as it was meant.
#pragma once

#include "ID3v1/Id3v1Layout.h"

#include <cstdint>
#include <string>

namespace kestrune::id3v1 {

struct Id3v1Texts {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::uint8_t track = 0;      // 0 for none; any other makes an ID3v1.1 tag
    std::uint8_t genreId = 255;  // 255 for none
};

// Each text is cut to its field at a character boundary; a character the code page lacks
// becomes "?". The fields are padded with zero bytes.
TagBytes RenderId3v1Tag(const Id3v1Texts& texts);

}  // namespace kestrune::id3v1
