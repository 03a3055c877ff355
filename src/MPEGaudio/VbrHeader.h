// The VBR header (Xing or VBRI) inside a file's first frame, and the two marks that hint at
// the encoder of a file: zero bytes after the first header, and a "LAME" or "GOGO" version
// near the end of the audio. All of it works on a block of bytes already read.
#pragma once

#include "MPEGaudio/FrameHeader.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace kestrune::mpeg {

struct VBRData {
    bool found = false;
    std::array<char, 4> id{};     // "Xing" or "VBRI"; zeros when nothing was found
    std::int32_t frameCount = 0;  // unsigned in the header, so 2^31 and more read negative
    std::int32_t byteCount = 0;
    std::uint8_t quality = 0;
    std::string encoderTag;  // Xing only: eight characters, zero bytes included
};

// Distance from the first header byte of a frame to where its VBR header would begin:
// the header and the frame's side information (a CRC does not move it).
std::uint8_t VbrHeaderOffset(const MpegFrameInfo& frame);

// The Xing or VBRI header at position, or a cleared record. Bytes past the block read as zero.
VBRData ReadVbrHeader(std::span<const std::uint8_t> block, std::size_t position);

// The six bytes from position on are all zero.
bool HasZeroAfterHeader(std::span<const std::uint8_t> block, std::size_t position);

// Searches backwards from the end of block, which ends where the audio ends, for an encoder
// mark beginning in the last window + 8 bytes: "LAME" and the four characters after it,
// "GOGO", or empty.
std::string FindEncoderVersion(std::span<const std::uint8_t> block, std::uint16_t window);

}  // namespace kestrune::mpeg
