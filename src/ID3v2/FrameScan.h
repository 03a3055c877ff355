// The walk through the frames of an ID3v2 tag, and the scan built on it: each frame the
// reader looks for leaves the first bytes of its data in the frame's slot, the last such
// frame winning, except that the first comment without a description is kept, and kept whole.
#pragma once

#include "ID3v2/FrameIdTable.h"
#include "platform/ByteSource.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kestrune::id3v2 {

// At most this many bytes of a frame's data are read; a slot holds them followed by zeros.
inline constexpr std::size_t kFrameBufferSize = 500;
// The comment goes whole to the encoder's command line, which Windows limits to 32,767
// characters: up to this many bytes of it leave room for everything else on the line.
inline constexpr std::size_t kCommentBufferSize = 8192;
// A slot's data: the bytes read, followed by zeros up to at least kFrameBufferSize.
using FrameData = std::vector<std::uint8_t>;
using FrameSlots = std::array<std::optional<FrameData>, kSlotCount>;

// One frame as the walk meets it. The identifier is valid only while the frame is visited.
struct FrameHeader {
    std::string_view id;
    std::uint8_t formatFlags = 0;  // versions 3 and 4: the second flag byte; 0 in version 2
    std::int64_t dataStart = 0;
    std::uint64_t dataSize = 0;  // as declared; it may run past the tag
    // The part of the data that lies inside the tag and the source.
    std::uint64_t dataInTag = 0;
};

FrameForm FrameFormOf(std::uint8_t version);

// Visits, in order, the frames that follow the 10-byte tag header, in the frame form of the
// tag's major version (2, 3 or 4), until the position reaches tagSize or the end of the
// source, a frame identifier does not begin with a capital letter, a read fails, or visit
// answers false. Reads only the frame headers.
void WalkFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize,
                const std::function<bool(const FrameHeader&)>& visit);

// Walks the frames keeping the slots' data. Only frames with a known text encoding reach a
// slot; frames flagged in version 3 or 4 as needing extra decoding are passed over. Every
// frame costs one read of at most kFrameBufferSize data bytes, a comment up to the first
// plain one a read of at most kCommentBufferSize bytes that lie inside the tag; a failed
// read ends the scan.
FrameSlots ScanFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize);

}  // namespace kestrune::id3v2
