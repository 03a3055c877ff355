// The walk through the frames of an ID3v2 tag: each frame the reader looks for leaves the
// first bytes of its data in the frame's slot, the last such frame winning.
#pragma once

#include "ID3v2/FrameIdTable.h"
#include "platform/ByteSource.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kestrune::id3v2 {

// At most this many bytes of a frame's data are read; a slot holds them followed by zeros.
inline constexpr std::size_t kFrameBufferSize = 500;
using FrameData = std::array<std::uint8_t, kFrameBufferSize>;
using FrameSlots = std::array<std::optional<FrameData>, kSlotCount>;

// Reads the frames that follow the 10-byte tag header, in the frame form of the tag's
// major version (2, 3 or 4), until the position reaches tagSize or the end of the source,
// a frame identifier does not begin with a capital letter, or a read fails. Only frames
// with a known text encoding reach a slot; frames flagged in version 3 or 4 as
// needing extra decoding are passed over.
FrameSlots ScanFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize);

}  // namespace kestrune::id3v2
