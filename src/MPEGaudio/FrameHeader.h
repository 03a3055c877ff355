// MPEG audio frame headers: the validity test for four bytes, their decoding into
// MpegFrameInfo, and the bit rate, sample rate and length in bytes of the frame they start.
// Pure functions over constant tables; nothing here reads a file.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kestrune::mpeg {

inline constexpr std::uint8_t kVersion25 = 0;
inline constexpr std::uint8_t kVersionReserved = 1;
inline constexpr std::uint8_t kVersion2 = 2;
inline constexpr std::uint8_t kVersion1 = 3;

inline constexpr std::uint8_t kLayerReserved = 0;
inline constexpr std::uint8_t kLayer3 = 1;
inline constexpr std::uint8_t kLayer2 = 2;
inline constexpr std::uint8_t kLayer1 = 3;

inline constexpr std::uint8_t kChannelModeMono = 3;

struct MpegFrameInfo {
    bool found = false;
    std::int32_t position = 0;  // offset of the header within the block that was searched
    std::uint16_t frameLength = 0;
    bool zeroAfterHeader = false;
    std::array<std::uint8_t, 4> headerBytes{};
    std::uint8_t versionIndex = 0;
    std::uint8_t layerIndex = 0;
    bool hasCrc = false;
    std::uint16_t bitRateIndex = 0;
    std::uint16_t sampleRateIndex = 0;
    bool padded = false;
    bool privateBit = false;
    std::uint8_t channelMode = 0;
    std::uint8_t modeExtension = 0;
    bool copyrighted = false;
    bool isOriginal = false;
    std::uint8_t emphasis = 0;

    // The reset record: every index holds a value no accepted header produces, so it
    // describes no frame and its bit rate and sample rate are 0.
    static MpegFrameInfo Reset();
};

// The four bytes at the start of header (at least four) pass the frame header test.
bool IsValidHeader(std::span<const std::uint8_t, 4> header);

// Fills headerBytes and the decoded fields; leaves found, position, frameLength and
// zeroAfterHeader as they were.
void DecodeHeader(std::span<const std::uint8_t, 4> header, MpegFrameInfo& frame);

std::uint16_t FrameBitRate(const MpegFrameInfo& frame);     // kbit/s
std::uint16_t FrameSampleRate(const MpegFrameInfo& frame);  // Hz
std::uint8_t LengthFactor(const MpegFrameInfo& frame);      // bytes per (bit rate / sample rate)
std::uint8_t PaddingSize(const MpegFrameInfo& frame);

// Length of the frame in bytes, header included. Only for frames that passed IsValidHeader.
std::uint16_t FrameLength(const MpegFrameInfo& frame);

}  // namespace kestrune::mpeg
