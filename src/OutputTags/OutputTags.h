// The tags of a re-encoded file, written by the program itself once the encoder has ended:
// the source's ID3v2 tag carried over whole as version 2.3, with the row's texts set over
// it when a tag version is asked for (a new tag only when ID3v2 is asked for), and an
// ID3v1 tag with the row's texts when ID3v1 is asked for. What the encoder wrote as tags
// is replaced; its audio is kept byte for byte.
#pragma once

#include "ID3v1/Id3v1Layout.h"
#include "platform/ByteSource.h"
#include "platform/File.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::outputtags {

// The texts of one row of the list.
struct RowTags {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string genre;  // ID3v1 genre number "0".."147", empty for none
    std::string track;  // e.g. "5/12", empty for none
    std::string comment;
};

// The tag versions the user asked for.
struct TagVersions {
    bool id3v1 = false;
    bool id3v2 = false;
};

// The tags of an output: the ID3v2 tag for its start (empty for none) and the ID3v1 tag for
// its end.
struct OutputTagBytes {
    std::vector<std::uint8_t> id3v2;
    std::optional<id3v1::TagBytes> id3v1;
};

// The tags for a source read from `source`. Malformed tags in the source give whatever can
// be made of them; nothing here fails.
OutputTagBytes MakeOutputTags(platform::ByteSource& source, const RowTags& row,
                              TagVersions versions);

// Replaces the tags the encoder wrote into its output with those made for the source. False
// when the source or the output could not be read or the output could not be written; the
// output is then unusable.
bool WriteOutputTags(const std::string& sourcePath, platform::FileForUpdate& encoded,
                     const RowTags& row, TagVersions versions);

}  // namespace kestrune::outputtags
