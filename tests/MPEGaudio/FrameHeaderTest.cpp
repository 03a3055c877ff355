// Frame header validity, decoding and frame arithmetic.
#include "MPEGaudio/FrameHeader.h"

#include <gtest/gtest.h>

namespace kestrune::mpeg {
namespace {

MpegFrameInfo Decoded(std::array<std::uint8_t, 4> bytes) {
    MpegFrameInfo frame;
    DecodeHeader(bytes, frame);
    return frame;
}

TEST(FrameHeader, RejectsEveryReservedOrForbiddenField) {
    const std::array<std::uint8_t, 4> rejected[] = {
        {0xFF, 0xFB, 0x00, 0x00},  // free format
        {0xFF, 0xFB, 0xF0, 0x00},  // bit rate index 15
        {0xFF, 0xFB, 0x9C, 0x00},  // sample rate index 3
        {0xFF, 0xFB, 0x90, 0x02},  // emphasis 2
        {0xFF, 0xEB, 0x90, 0x00},  // version index 1
        {0xFF, 0xF9, 0x90, 0x00},  // layer index 0
        {0xFE, 0xFB, 0x90, 0x00},  // first sync byte
        {0xFF, 0xDB, 0x90, 0x00},  // second sync part
    };
    for (const auto& bytes : rejected) {
        EXPECT_FALSE(IsValidHeader(bytes)) << std::hex << int(bytes[1]) << " " << int(bytes[2]);
    }
}

TEST(FrameHeader, AcceptsHeadersWhateverTheirFreeBits) {
    const std::array<std::uint8_t, 4> accepted[] = {
        {0xFF, 0xFB, 0x90, 0x00},
        {0xFF, 0xFA, 0x90, 0x00},  // with CRC
        {0xFF, 0xE3, 0x90, 0x00},  // MPEG 2.5: the sync test looks only at three bits
        {0xFF, 0xFB, 0x93, 0xFD},  // private, mono, mode extension, copyright, original, CCITT
    };
    for (const auto& bytes : accepted) {
        EXPECT_TRUE(IsValidHeader(bytes));
    }
}

TEST(FrameHeader, DecodesEveryField) {
    const MpegFrameInfo frame = Decoded({0xFF, 0xFA, 0x93, 0x7D});
    EXPECT_EQ(frame.versionIndex, kVersion1);
    EXPECT_EQ(frame.layerIndex, kLayer3);
    EXPECT_TRUE(frame.hasCrc);
    EXPECT_EQ(frame.bitRateIndex, 9);
    EXPECT_EQ(frame.sampleRateIndex, 0);
    EXPECT_TRUE(frame.padded);
    EXPECT_TRUE(frame.privateBit);
    EXPECT_EQ(frame.channelMode, 1);
    EXPECT_EQ(frame.modeExtension, 3);
    EXPECT_TRUE(frame.copyrighted);
    EXPECT_TRUE(frame.isOriginal);
    EXPECT_EQ(frame.emphasis, 1);
    EXPECT_FALSE(frame.found);
}

TEST(FrameHeader, ComputesRatesAndTruncatedFrameLengths) {
    const struct {
        std::array<std::uint8_t, 4> bytes;
        std::uint16_t bitRate;
        std::uint16_t sampleRate;
        std::uint16_t length;
    } cases[] = {
        {{0xFF, 0xFB, 0x90, 0x00}, 128, 44100, 417},
        {{0xFF, 0xFB, 0x92, 0x00}, 128, 44100, 418},
        {{0xFF, 0xE3, 0x90, 0x00}, 80, 11025, 522},
        {{0xFF, 0xF7, 0x10, 0x00}, 32, 22050, 69},     // MPEG 2 Layer I
        {{0xFF, 0xF7, 0x12, 0x00}, 32, 22050, 73},     // Layer I pads four bytes
        {{0xFF, 0xFD, 0xEA, 0x00}, 384, 32000, 1729},  // longest MPEG 1 frame
        {{0xFF, 0xFB, 0xEA, 0x00}, 320, 32000, 1441},
        {{0xFF, 0xF3, 0x80, 0x00}, 64, 22050, 208},  // 208.98 truncated
    };
    for (const auto& c : cases) {
        const MpegFrameInfo frame = Decoded(c.bytes);
        EXPECT_EQ(FrameBitRate(frame), c.bitRate);
        EXPECT_EQ(FrameSampleRate(frame), c.sampleRate);
        EXPECT_EQ(FrameLength(frame), c.length) << c.bitRate << " " << c.sampleRate;
    }
}

TEST(FrameHeader, ResetRecordDescribesNoFrame) {
    const MpegFrameInfo frame = MpegFrameInfo::Reset();
    EXPECT_EQ(FrameBitRate(frame), 0);
    EXPECT_EQ(FrameSampleRate(frame), 0);
}

}  // namespace
}  // namespace kestrune::mpeg
