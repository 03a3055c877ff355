// Frame headers: version 2 has a 3-character identifier and a 24-bit size; version 3 a
// 4-character identifier, a 32-bit size and two flag bytes; version 4 the same with seven
// bits per size byte. Each frame costs one read of its header and one of at most
// kFrameBufferSize data bytes, however large it declares itself.
#include "ID3v2/FrameScan.h"

#include "ID3v2/Id3v2Text.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace kestrune::id3v2 {

namespace {

constexpr std::int64_t kTagHeaderSize = 10;
constexpr std::size_t kLongFrameHeaderSize = 10;
constexpr std::size_t kShortFrameHeaderSize = 6;
// Second flag byte, bit 7 in our reading: the frame's data needs decoding (compression,
// encryption and the like) that this reader does not do, so the frame is passed over.
constexpr std::uint8_t kSkipFrameFlag = 0x80;

struct FrameHeader {
    std::string_view id;
    std::uint64_t dataSize = 0;
    bool skipped = false;
};

FrameHeader DecodeFrameHeader(std::span<const std::uint8_t> bytes, std::uint8_t version) {
    const auto at = [&](std::size_t i) { return static_cast<std::uint64_t>(bytes[i]); };
    const auto* chars = reinterpret_cast<const char*>(bytes.data());
    if (version == 2) {
        return {std::string_view(chars, 3), at(3) << 16 | at(4) << 8 | at(5), false};
    }
    // Version 4 sizes have seven bits per byte; each byte is taken whole, unmasked.
    const std::uint64_t dataSize = version == 4
                                       ? (at(4) << 21) + (at(5) << 14) + (at(6) << 7) + at(7)
                                       : at(4) << 24 | at(5) << 16 | at(6) << 8 | at(7);
    return {std::string_view(chars, 4), dataSize, (bytes[9] & kSkipFrameFlag) != 0};
}

}  // namespace

FrameSlots ScanFrames(platform::ByteSource& source, std::uint8_t version, std::int64_t tagSize) {
    FrameSlots slots;
    const FrameForm form =
        version == 2 ? FrameForm::threeCharacterIds : FrameForm::fourCharacterIds;
    const std::size_t headerSize = version == 2 ? kShortFrameHeaderSize : kLongFrameHeaderSize;
    const std::int64_t end = std::min(tagSize, source.Size());
    std::int64_t position = kTagHeaderSize;
    while (position < end) {
        std::array<std::uint8_t, kLongFrameHeaderSize> headerBytes{};
        const auto header = std::span(headerBytes).first(headerSize);
        if (!source.ReadAt(position, header)) {
            break;
        }
        const FrameHeader frame = DecodeFrameHeader(header, version);
        if (frame.id.front() < 'A' || frame.id.front() > 'Z') {
            break;  // the padding after the last frame
        }
        const std::int64_t dataStart = position + static_cast<std::int64_t>(headerSize);
        FrameData data{};
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(frame.dataSize, kFrameBufferSize));
        if (!source.ReadAt(dataStart, std::span(data).first(wanted))) {
            break;
        }
        const auto slot = SlotOf(frame.id, form);
        if (slot && !frame.skipped && IsKnownTextEncoding(data[0])) {
            slots[static_cast<std::size_t>(*slot)] = data;
        }
        position = dataStart + static_cast<std::int64_t>(frame.dataSize);
    }
    return slots;
}

}  // namespace kestrune::id3v2
