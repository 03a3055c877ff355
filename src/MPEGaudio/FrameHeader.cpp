// Decoding of MPEG audio frame headers and the frame arithmetic built on the two tables.
#include "MPEGaudio/FrameHeader.h"

namespace kestrune::mpeg {

namespace {

// Bit rates in kbit/s by version index, layer index and bit rate index. Every combination
// has an entry, so lookups need no range test; invalid ones are 0.
constexpr std::uint16_t kBitRateTable[4][4][16] = {
    // MPEG 2.5: shares the rows of MPEG 2
    {{0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
    // reserved version
    {{0}, {0}, {0}, {0}},
    // MPEG 2
    {{0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
    // MPEG 1
    {{0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}},
};

// Sample rates in Hz by version index and sample rate index.
constexpr std::uint16_t kSampleRateTable[4][4] = {
    {11025, 12000, 8000, 0},
    {0, 0, 0, 0},
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
};

}  // namespace

MpegFrameInfo MpegFrameInfo::Reset() {
    MpegFrameInfo frame;
    frame.versionIndex = kVersionReserved;
    frame.sampleRateIndex = 3;
    frame.channelMode = 4;
    frame.modeExtension = 4;
    frame.emphasis = 2;
    return frame;
}

bool IsValidHeader(std::span<const std::uint8_t, 4> header) {
    const std::uint8_t versionIndex = (header[1] >> 3) & 0x03;
    const std::uint8_t layerIndex = (header[1] >> 1) & 0x03;
    const std::uint8_t bitRateIndex = header[2] >> 4;
    const std::uint8_t sampleRateIndex = (header[2] >> 2) & 0x03;
    const std::uint8_t emphasis = header[3] & 0x03;
    return header[0] == 0xFF && (header[1] & 0xE0) == 0xE0 && versionIndex != kVersionReserved &&
           layerIndex != kLayerReserved && bitRateIndex != 15 &&
           bitRateIndex != 0 /* free format is not accepted */ && sampleRateIndex != 3 &&
           emphasis != 2;
}

void DecodeHeader(std::span<const std::uint8_t, 4> header, MpegFrameInfo& frame) {
    frame.headerBytes = {header[0], header[1], header[2], header[3]};
    frame.versionIndex = (header[1] >> 3) & 0x03;
    frame.layerIndex = (header[1] >> 1) & 0x03;
    frame.hasCrc = (header[1] & 0x01) == 0;
    frame.bitRateIndex = header[2] >> 4;
    frame.sampleRateIndex = (header[2] >> 2) & 0x03;
    frame.padded = (header[2] & 0x02) != 0;
    frame.privateBit = (header[2] & 0x01) != 0;
    frame.channelMode = header[3] >> 6;
    frame.modeExtension = (header[3] >> 4) & 0x03;
    frame.copyrighted = (header[3] & 0x08) != 0;
    frame.isOriginal = (header[3] & 0x04) != 0;
    frame.emphasis = header[3] & 0x03;
}

std::uint16_t FrameBitRate(const MpegFrameInfo& frame) {
    return kBitRateTable[frame.versionIndex & 3][frame.layerIndex & 3][frame.bitRateIndex & 15];
}

std::uint16_t FrameSampleRate(const MpegFrameInfo& frame) {
    return kSampleRateTable[frame.versionIndex & 3][frame.sampleRateIndex & 3];
}

std::uint8_t LengthFactor(const MpegFrameInfo& frame) {
    if (frame.layerIndex == kLayer1) {
        return 48;
    }
    if (frame.layerIndex == kLayer2 || frame.versionIndex == kVersion1) {
        return 144;
    }
    return 72;
}

std::uint8_t PaddingSize(const MpegFrameInfo& frame) {
    if (!frame.padded) {
        return 0;
    }
    return frame.layerIndex == kLayer1 ? 4 : 1;
}

std::uint16_t FrameLength(const MpegFrameInfo& frame) {
    const std::uint32_t bitsPerSecond = LengthFactor(frame) * FrameBitRate(frame) * 1000u;
    const double length = static_cast<double>(bitsPerSecond) / FrameSampleRate(frame);
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(length) + PaddingSize(frame));
}

}  // namespace kestrune::mpeg
