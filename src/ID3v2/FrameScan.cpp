// Frame headers: version 2 has a 3-character identifier and a 24-bit size; version 3 a
// 4-character identifier, a 32-bit size and two flag bytes; version 4 the same with seven
// bits per size byte. The walk reads only headers and moves on by the declared data size,
// however large; the scan adds one bounded read of each frame's data.
#include "ID3v2/FrameScan.h"

#include "ID3v2/Id3v2Text.h"

#include <algorithm>
#include <span>

namespace kestrune::id3v2 {

namespace {

constexpr std::int64_t kTagHeaderSize = 10;
constexpr std::size_t kLongFrameHeaderSize = 10;
constexpr std::size_t kShortFrameHeaderSize = 6;
// Second flag byte, bit 7 in our reading: the frame's data needs decoding (compression,
// encryption and the like) that this reader does not do, so the frame is passed over.
constexpr std::uint8_t kSkipFrameFlag = 0x80;

FrameHeader DecodeFrameHeader(std::span<const std::uint8_t> bytes, std::uint8_t version) {
    const auto at = [&](std::size_t i) { return static_cast<std::uint64_t>(bytes[i]); };
    const auto* chars = reinterpret_cast<const char*>(bytes.data());
    if (version == 2) {
        return {.id = std::string_view(chars, 3), .dataSize = at(3) << 16 | at(4) << 8 | at(5)};
    }
    // Version 4 sizes have seven bits per byte; each byte is taken whole, unmasked.
    const std::uint64_t dataSize = version == 4
                                       ? (at(4) << 21) + (at(5) << 14) + (at(6) << 7) + at(7)
                                       : at(4) << 24 | at(5) << 16 | at(6) << 8 | at(7);
    return {.id = std::string_view(chars, 4), .formatFlags = bytes[9], .dataSize = dataSize};
}

}  // namespace

FrameForm FrameFormOf(std::uint8_t version) {
    return version == 2 ? FrameForm::threeCharacterIds : FrameForm::fourCharacterIds;
}

void WalkFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize,
                const std::function<bool(const FrameHeader&)>& visit) {
    const std::size_t headerSize = version == 2 ? kShortFrameHeaderSize : kLongFrameHeaderSize;
    const std::int64_t end = std::min(tagSize, source.Size());
    std::int64_t position = kTagHeaderSize;
    while (position < end) {
        std::array<std::uint8_t, kLongFrameHeaderSize> headerBytes{};
        const auto header = std::span(headerBytes).first(headerSize);
        if (!source.ReadAt(position, header)) {
            return;
        }
        FrameHeader frame = DecodeFrameHeader(header, version);
        if (frame.id.front() < 'A' || frame.id.front() > 'Z') {
            return;  // the padding after the last frame
        }
        frame.dataStart = position + static_cast<std::int64_t>(headerSize);
        frame.dataInTag =
            std::min(frame.dataSize,
                     static_cast<std::uint64_t>(std::max<std::int64_t>(end - frame.dataStart, 0)));
        if (!visit(frame)) {
            return;
        }
        position = frame.dataStart + static_cast<std::int64_t>(frame.dataSize);
    }
}

FrameSlots ScanFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize) {
    FrameSlots slots;
    const FrameForm form = FrameFormOf(version);
    const auto& plainComment = slots[static_cast<std::size_t>(Slot::comment)];
    WalkFrames(source, version, tagSize, [&](const FrameHeader& frame) {
        const auto slot = SlotOf(frame.id, form);
        // The comment is carried into re-encoded files: the tag's first comment without a
        // description, whole as far as it lies inside the tag. Described comments and later
        // plain ones are passed over.
        const bool isComment = slot == Slot::comment;
        if (isComment && plainComment) {
            return true;
        }
        const std::uint64_t wanted =
            isComment ? std::min<std::uint64_t>(frame.dataInTag, kCommentBufferSize)
                      : std::min<std::uint64_t>(frame.dataSize, kFrameBufferSize);
        FrameData data(std::max(static_cast<std::size_t>(wanted), kFrameBufferSize), 0);
        if (!source.ReadAt(frame.dataStart,
                           std::span(data).first(static_cast<std::size_t>(wanted)))) {
            return false;
        }
        const bool skipped = (frame.formatFlags & kSkipFrameFlag) != 0;
        const bool wantedComment =
            !isComment || IsPlainComment(std::span(data).first(static_cast<std::size_t>(wanted)));
        if (slot && !skipped && IsKnownTextEncoding(data[0]) && wantedComment) {
            slots[static_cast<std::size_t>(*slot)] = std::move(data);
        }
        return true;
    });
    return slots;
}

}  // namespace kestrune::id3v2
