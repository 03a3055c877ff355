// The frames the ID3v2 reader keeps, one slot each, with their identifiers in the
// four-character form of tag versions 3 and 4 and the three-character form of version 2.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kestrune::id3v2 {

enum class Slot : std::size_t {
    title,
    artist,
    album,
    track,
    year,
    genre,
    comment,
    composer,
    encoder,
    copyright,
    language,
    link,
    recordingTime,   // year when there is no year frame
    originalArtist,  // artist when there is no artist frame
    contentGroup,    // title when there is no title frame
    originalAlbum,   // album when there is no album frame
};
inline constexpr std::size_t kSlotCount = 16;

enum class FrameForm {
    threeCharacterIds,  // tag version 2
    fourCharacterIds,   // tag versions 3 and 4
};

// The slot that keeps frames with this identifier (exact, case-sensitive match), if any.
std::optional<Slot> SlotOf(std::string_view frameId, FrameForm form);

}  // namespace kestrune::id3v2
