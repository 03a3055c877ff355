// Byte builders for MPEG audio streams: frames from four header bytes, and Xing and VBRI
// headers placed where a first frame carries them.
#pragma once

#include "support/Id3Builders.h"

#include <array>
#include <cstdint>
#include <string>

namespace kestrune::test {

using Header = std::array<std::uint8_t, 4>;

// MPEG 1 Layer III, 128 kbit/s, 44,100 Hz, stereo: 417 bytes per frame.
inline constexpr Header kMpeg1Layer3At128{0xFF, 0xFB, 0x90, 0x00};
// The same at 32 kbit/s: 104 bytes per frame.
inline constexpr Header kMpeg1Layer3At32{0xFF, 0xFB, 0x10, 0x00};

// One frame: the header followed by its frame length in filler bytes (never 0xFF, so the
// filler cannot be mistaken for a header).
Bytes Frame(const Header& header);

// count frames with the same header.
Bytes Frames(const Header& header, int count);

// A first frame whose VBR header (id "Xing", "Info" or "VBRI") stands at offset from the
// frame start, stating frameCount and byteCount.
Bytes FrameWithVbrHeader(const Header& header, std::size_t offset, const std::string& id,
                         std::uint32_t frameCount, std::uint32_t byteCount);

// count filler bytes (0x11).
Bytes Filler(std::size_t count);

}  // namespace kestrune::test
