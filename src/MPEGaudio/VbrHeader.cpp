// Reading of Xing and VBRI headers at fixed offsets, and the encoder mark searches.
#include "MPEGaudio/VbrHeader.h"

#include <algorithm>
#include <cstring>

namespace kestrune::mpeg {

namespace {

std::uint8_t ByteAt(std::span<const std::uint8_t> block, std::size_t position) {
    return position < block.size() ? block[position] : 0;
}

std::int32_t BigEndian32At(std::span<const std::uint8_t> block, std::size_t position) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | ByteAt(block, position + i);
    }
    return static_cast<std::int32_t>(value);
}

bool TextAt(std::span<const std::uint8_t> block, std::size_t position, const char (&text)[5]) {
    return position + 4 <= block.size() && std::memcmp(block.data() + position, text, 4) == 0;
}

}  // namespace

std::uint8_t VbrHeaderOffset(const MpegFrameInfo& frame) {
    const bool mono = frame.channelMode == kChannelModeMono;
    if (frame.versionIndex == kVersion1) {
        return mono ? 21 : 36;
    }
    return mono ? 13 : 21;
}

VBRData ReadVbrHeader(std::span<const std::uint8_t> block, std::size_t position) {
    VBRData vbr;
    if (TextAt(block, position, "Xing")) {
        vbr.found = true;
        vbr.id = {'X', 'i', 'n', 'g'};
        vbr.frameCount = BigEndian32At(block, position + 8);
        vbr.byteCount = BigEndian32At(block, position + 12);
        vbr.quality = ByteAt(block, position + 119);
        for (std::size_t i = 120; i < 128; ++i) {
            vbr.encoderTag.push_back(static_cast<char>(ByteAt(block, position + i)));
        }
    }
    if (TextAt(block, position, "VBRI")) {
        vbr.found = true;
        vbr.id = {'V', 'B', 'R', 'I'};
        vbr.quality = ByteAt(block, position + 9);
        vbr.byteCount = BigEndian32At(block, position + 10);
        vbr.frameCount = BigEndian32At(block, position + 14);
    }
    return vbr;
}

bool HasZeroAfterHeader(std::span<const std::uint8_t> block, std::size_t position) {
    for (std::size_t i = 0; i < 6; ++i) {
        if (ByteAt(block, position + i) != 0) {
            return false;
        }
    }
    return true;
}

std::string FindEncoderVersion(std::span<const std::uint8_t> block, std::uint16_t window) {
    if (block.size() < 8) {
        return {};
    }
    const std::size_t lastStart = block.size() - 8;
    const std::size_t steps = std::min<std::size_t>(window, lastStart);
    for (std::size_t k = 0; k <= steps; ++k) {
        const std::size_t start = lastStart - k;
        if (block[start] != 'L' && block[start] != 'G') {
            continue;  // the cheap test first: this loop runs over most of a block
        }
        if (TextAt(block, start, "LAME")) {
            return std::string(reinterpret_cast<const char*>(block.data() + start), 8);
        }
        if (TextAt(block, start, "GOGO")) {
            return "GOGO";
        }
    }
    return {};
}

}  // namespace kestrune::mpeg
