// Where the fields of the 128-byte ID3v1 tag lie and how wide they are: the one place the
// reader, the writer and the tag editor's limits take them from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrune::id3v1 {

inline constexpr std::int64_t kTagSize = 128;
inline constexpr std::string_view kTagMarker = "TAG";
using TagBytes = std::array<std::uint8_t, kTagSize>;

struct TagField {
    std::size_t offset;
    std::size_t length;
};
inline constexpr TagField kTitleField{3, 30};
inline constexpr TagField kArtistField{33, 30};
inline constexpr TagField kAlbumField{63, 30};
inline constexpr TagField kYearField{93, 4};
inline constexpr TagField kCommentField{97, 30};
// ID3v1.1: the comment's last two bytes hold a zero byte and the track number.
inline constexpr TagField kShortCommentField{97, 28};
inline constexpr std::size_t kTrackMarkOffset = 125;
inline constexpr std::size_t kTrackOffset = 126;
inline constexpr std::size_t kGenreOffset = 127;

// Characters of a title, artist or album, and of a year, in a single-byte code page.
inline constexpr std::size_t kTextFieldWidth = kTitleField.length;
inline constexpr std::size_t kYearFieldWidth = kYearField.length;

}  // namespace kestrune::id3v1
