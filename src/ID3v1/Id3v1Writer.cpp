// Writes the fields at the places the reader takes them from; with a track number the
// comment gives up its last two bytes to the zero mark and the track byte.
#include "ID3v1/Id3v1Writer.h"

#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::id3v1 {

namespace {

void Put(TagBytes& tag, TagField field, const std::string& text) {
    const std::string bytes = platform::Utf8ToLegacy(text, field.length);
    std::ranges::copy(bytes, tag.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

}  // namespace

TagBytes RenderId3v1Tag(const Id3v1Texts& texts) {
    TagBytes tag{};
    std::ranges::copy(kTagMarker, tag.begin());
    Put(tag, kTitleField, texts.title);
    Put(tag, kArtistField, texts.artist);
    Put(tag, kAlbumField, texts.album);
    Put(tag, kYearField, texts.year);
    if (texts.track != 0) {
        Put(tag, kShortCommentField, texts.comment);
        tag[kTrackOffset] = texts.track;
    } else {
        Put(tag, kCommentField, texts.comment);
    }
    tag[kGenreOffset] = texts.genreId;
    return tag;
}

}  // namespace kestrune::id3v1
