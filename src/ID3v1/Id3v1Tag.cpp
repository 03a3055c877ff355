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

constexpr std::string_view kMarker = "TAG";
constexpr std::uint8_t kSpace = 32;

struct TextArea {
    std::size_t offset;
    std::size_t length;
};
constexpr TextArea kTitleArea{3, 30};
constexpr TextArea kArtistArea{33, 30};
constexpr TextArea kAlbumArea{63, 30};
constexpr TextArea kYearArea{93, 4};
constexpr TextArea kCommentArea{97, 30};
constexpr TextArea kShortCommentArea{97, 28};  // version 2: the last two bytes mark a track
constexpr std::size_t kTrackMarkOffset = 125;
constexpr std::size_t kTrackOffset = 126;
constexpr std::size_t kGenreOffset = 127;

using TagBytes = std::array<std::uint8_t, kTagSize>;

// The area without its trailing bytes of code 0 to 32; leading spaces and inner zero
// bytes stay.
std::string TextOf(const TagBytes& tag, TextArea area) {
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
    if (!std::equal(kMarker.begin(), kMarker.end(), tag.begin())) {
        return true;
    }
    exists = true;
    version = HasTrackNumber(tag) ? 2 : 1;
    title = TextOf(tag, kTitleArea);
    artist = TextOf(tag, kArtistArea);
    album = TextOf(tag, kAlbumArea);
    year = TextOf(tag, kYearArea);
    comment = TextOf(tag, version == 2 ? kShortCommentArea : kCommentArea);
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
