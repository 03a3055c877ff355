// The row's texts set over an ID3v2 tag as TagLib holds it. A field's frame changes only
// where a reader that follows the standard (as TagLib does) would not find the row's text
// in it, so a field the user left alone keeps its frame as it stands unless that frame was
// written in a local single-byte code page, which other readers take for Latin-1.
#pragma once

#include "OutputTags/OutputTags.h"

#include <id3v2tag.h>

namespace kestrune::outputtags {

// Title, artist, album, year, genre, track and comment. An empty text removes its frame; an
// empty genre does so only when the source's ID3v1 tag named a genre, since the list takes
// the genre from there alone and never shows one of the ID3v2 tag. The comment is the frame
// without a description; described comments stay as they are.
void SetRowTexts(TagLib::ID3v2::Tag& tag, const RowTags& row, bool id3v1HadGenre);

}  // namespace kestrune::outputtags
