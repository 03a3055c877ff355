// The analysis of one MP3 file: its tags, its first confirmed MPEG audio frame, the VBR
// header in that frame, and from these whether the file is a plausible MPEG audio stream,
// its bit rate and its playing time. Reads at most three blocks of audio whatever the
// file's size, and never fails loudly: trouble shows as false results.
#pragma once

#include "ID3v1/Id3v1Tag.h"
#include "ID3v2/Id3v2Tag.h"
#include "MPEGaudio/FrameHeader.h"
#include "MPEGaudio/VbrHeader.h"
#include "platform/ByteSource.h"
#include "platform/File.h"

#include <cstdint>
#include <span>
#include <string>

namespace kestrune::mpeg {

// Two of the longest MPEG 1 frames (1,729 bytes), so a frame that starts anywhere in the
// first half of a block is followed inside the block by the header that confirms it.
inline constexpr std::size_t kScanBlockSize = 3458;
inline constexpr std::size_t kLongestFrame = 1729;

class MpegAudioInfo {
public:
    std::int64_t fileLength = 0;
    std::string encoderVersion;
    VBRData vbr;
    MpegFrameInfo frame = MpegFrameInfo::Reset();
    id3v1::Id3v1Tag id3v1;
    id3v2::Id3v2Tag id3v2;

    void Reset();

    // Analyses the file at path, opening it once for the tags and the audio. True when the
    // tags could be read and no read failed, whether or not a frame was found.
    bool ReadFromFile(const std::string& path);
    // The same analysis of a file already opened (or that failed to open).
    bool ReadFromOpenFile(platform::File& file);
    // The same analysis on any source.
    bool ReadFrom(platform::ByteSource& source);

    bool IsValid() const;
    std::uint16_t BitRate() const;  // kbit/s, averaged when a usable VBR header was found
    double Duration() const;        // seconds

private:
    bool ScanAudio(platform::ByteSource& source);
    bool LastsATenthOfASecond() const;
    std::int64_t AudioBytesFromFirstFrame() const;  // up to the ID3v1 tag
};

// The first frame of the block whose header is confirmed by a valid header exactly one frame
// length later; fills vbr from it. found is false when there is none.
MpegFrameInfo FindFirstFrame(std::span<const std::uint8_t> block, VBRData& vbr);

// The four bytes at position lie inside the block and pass the frame header test.
bool IsHeaderAt(std::span<const std::uint8_t> block, std::size_t position);

}  // namespace kestrune::mpeg
