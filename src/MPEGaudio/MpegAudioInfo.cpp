// The file scan: the first block after the ID3v2 tag, a block from the middle when the
// first holds no frame, and a block at the end of the audio for the encoder mark.
#include "MPEGaudio/MpegAudioInfo.h"

#include "platform/ReadAheadSource.h"

#include <array>
#include <cmath>

namespace kestrune::mpeg {

namespace {

constexpr std::int64_t kId3v1Size = id3v1::kTagSize;

using Block = std::array<std::uint8_t, kScanBlockSize>;

// Reads one block at offset, zero-filling what the read did not fill. Answers the number of
// bytes read, or nothing when the read failed.
std::optional<std::size_t> ReadBlock(platform::ByteSource& source, std::int64_t offset,
                                     Block& block) {
    block.fill(0);
    return source.ReadAt(offset < 0 ? 0 : offset, block);
}

// Rounds halves to the even neighbour and keeps the low 16 bits of the result, for any value.
std::uint16_t RoundToLow16Bits(double value) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded)) {
        return 0;
    }
    double low = std::fmod(rounded, 65536.0);
    if (low < 0) {
        low += 65536.0;
    }
    return static_cast<std::uint16_t>(low);
}

}  // namespace

void MpegAudioInfo::Reset() {
    fileLength = 0;
    encoderVersion.clear();
    vbr = VBRData{};
    frame = MpegFrameInfo::Reset();
    id3v1.Reset();
    id3v2.Reset();
}

bool MpegAudioInfo::ReadFromFile(const std::string& path) {
    platform::File file = platform::File::OpenForReading(path);
    return ReadFromOpenFile(file);
}

bool MpegAudioInfo::ReadFromOpenFile(platform::File& file) {
    platform::ReadAheadSource source(file);
    return ReadFrom(source);
}

bool MpegAudioInfo::ReadFrom(platform::ByteSource& source) {
    Reset();
    bool result = false;
    if (id3v2.ReadFrom(source) && id3v1.ReadFrom(source)) {
        result = ScanAudio(source);
    }
    if (!frame.found) {
        Reset();
    }
    return result;
}

bool MpegAudioInfo::ScanAudio(platform::ByteSource& source) {
    fileLength = source.Size();
    const std::int64_t audioStart = id3v2.size;
    Block block;

    const auto firstRead = ReadBlock(source, audioStart, block);
    if (!firstRead) {
        return false;
    }
    frame = FindFirstFrame(block, vbr);

    if (!frame.found && *firstRead == kScanBlockSize) {
        // The middle is counted from the start of the file, not from the end of the tag.
        if (!ReadBlock(source, (fileLength - audioStart) / 2, block)) {
            return false;
        }
        frame = FindFirstFrame(block, vbr);
    }

    if (frame.found && !vbr.found) {
        const std::int64_t audioEnd = fileLength - (id3v1.exists ? kId3v1Size : 0);
        // A file too short for a whole block before its end gets the block from its start.
        if (!ReadBlock(source, audioEnd - static_cast<std::int64_t>(kScanBlockSize), block)) {
            return false;
        }
        encoderVersion =
            FindEncoderVersion(block, static_cast<std::uint16_t>(5 * frame.frameLength));
    }
    return true;
}

bool MpegAudioInfo::IsValid() const {
    const std::uint16_t bitRate = BitRate();
    return frame.found && bitRate >= 8 && bitRate <= 448 && LastsATenthOfASecond();
}

// Duration() >= 0.1, decided in integers: a file of exactly a tenth of a second must not
// fall on either side by the processor's floating-point precision (x87 on 32-bit Windows).
bool MpegAudioInfo::LastsATenthOfASecond() const {
    if (vbr.found && vbr.frameCount > 0) {
        // 8 * LengthFactor * frames / sample rate >= 1 / 10
        return 80 * std::int64_t{LengthFactor(frame)} * vbr.frameCount >= FrameSampleRate(frame);
    }
    // audio bytes * 8 / (kbit/s * 1000) >= 1 / 10
    return AudioBytesFromFirstFrame() * 80 >= std::int64_t{FrameBitRate(frame)} * 1000;
}

std::int64_t MpegAudioInfo::AudioBytesFromFirstFrame() const {
    const std::int64_t audioSize = fileLength - id3v2.size - (id3v1.exists ? kId3v1Size : 0);
    return audioSize - frame.position;
}

std::uint16_t MpegAudioInfo::BitRate() const {
    if (vbr.found && vbr.frameCount > 0) {
        const double averageFrame = static_cast<double>(vbr.byteCount) / vbr.frameCount;
        return RoundToLow16Bits((averageFrame - PaddingSize(frame)) * FrameSampleRate(frame) /
                                LengthFactor(frame) / 1000.0);
    }
    return FrameBitRate(frame);
}

double MpegAudioInfo::Duration() const {
    if (!frame.found) {
        return 0.0;
    }
    if (vbr.found && vbr.frameCount > 0) {
        const double samples = 8.0 * LengthFactor(frame) * static_cast<double>(vbr.frameCount);
        return samples / FrameSampleRate(frame);
    }
    return static_cast<double>(AudioBytesFromFirstFrame()) / FrameBitRate(frame) / 1000.0 * 8.0;
}

bool IsHeaderAt(std::span<const std::uint8_t> block, std::size_t position) {
    return position <= block.size() && block.size() - position >= 4 &&
           IsValidHeader(block.subspan(position).first<4>());
}

MpegFrameInfo FindFirstFrame(std::span<const std::uint8_t> block, VBRData& vbr) {
    MpegFrameInfo frame;  // all zero and false, not the reset state
    if (block.size() < kLongestFrame) {
        return frame;
    }
    const std::size_t lastCandidate = block.size() - kLongestFrame;
    for (std::size_t p = 0; p <= lastCandidate; ++p) {
        if (!IsHeaderAt(block, p)) {
            continue;
        }
        DecodeHeader(block.subspan(p).first<4>(), frame);
        const std::uint16_t length = FrameLength(frame);
        if (IsHeaderAt(block, p + length)) {
            frame.found = true;
            frame.position = static_cast<std::int32_t>(p);
            frame.frameLength = length;
            frame.zeroAfterHeader = HasZeroAfterHeader(block, p + 4);
            vbr = ReadVbrHeader(block, p + VbrHeaderOffset(frame));
            break;
        }
    }
    return frame;
}

}  // namespace kestrune::mpeg
