// Reads the 128-byte ID3v1 tag. Text areas are taken whole, stripped of trailing control
// bytes and spaces (the padding), and decoded from the legacy code page.
#include "ID3v1/Id3v1Tag.h"

#include "platform/File.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace kestrune::id3v1 {

namespace {

constexpr std::uint8_t kSpace = 32;

// The area without its trailing bytes of code 0 to 32; leading spaces and inner zero
// bytes stay.
std::string TextOf(const TagBytes& tag, TagField area) {
    const auto bytes = std::span(tag).subspan(area.offset, area.length);
    const auto kept =
        std::find_if(bytes.rbegin(), bytes.rend(), [](std::uint8_t byte) { return byte > kSpace; });
    const auto length = static_cast<std::size_t>(std::distance(kept, bytes.rend()));
    return platform::LegacyToUtf8(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

// Version 2 stores a track number in byte 126 behind a zero byte; a space in byte 125
// counts like the zero byte, and a track byte of the same kind as the mark means none.
bool HasTrackNumber(const TagBytes& tag) {
    const std::uint8_t mark = tag[kTrackMarkOffset];
    return (mark == 0 || mark == kSpace) && tag[kTrackOffset] != mark;
}

}  // namespace

void Id3v1Tag::Reset() {
    *this = Id3v1Tag{};
}

bool Id3v1Tag::ReadFrom(platform::ByteSource& source) {
    Reset();
    TagBytes tag{};
    // A file shorter than a tag is read from its start.
    const std::int64_t offset = std::max<std::int64_t>(source.Size() - kTagSize, 0);
    if (!source.ReadAt(offset, tag)) {
        return false;
    }
    if (!std::equal(kTagMarker.begin(), kTagMarker.end(), tag.begin())) {
        return true;
    }
    exists = true;
    version = HasTrackNumber(tag) ? 2 : 1;
    title = TextOf(tag, kTitleField);
    artist = TextOf(tag, kArtistField);
    album = TextOf(tag, kAlbumField);
    year = TextOf(tag, kYearField);
    comment = TextOf(tag, version == 2 ? kShortCommentField : kCommentField);
    if (version == 2) {
        track = tag[kTrackOffset];
    }
    genreId = tag[kGenreOffset];
    return true;
}

bool Id3v1Tag::ReadFromFile(const std::string& path) {
    platform::File file = platform::File::OpenForReading(path);
    return ReadFrom(file);
}

}  // namespace kestrune::id3v1
