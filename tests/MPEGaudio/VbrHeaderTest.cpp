// Xing and VBRI headers at the Xing position of a first frame, and the encoder marks.
#include "MPEGaudio/VbrHeader.h"

#include "support/Mp3Bytes.h"

#include <gtest/gtest.h>

namespace kestrune::mpeg {
namespace {

using test::Bytes;

TEST(VbrHeader, OffsetDependsOnVersionAndMonoButNotOnCrc) {
    const struct {
        std::array<std::uint8_t, 4> bytes;
        std::uint8_t offset;
    } cases[] = {
        {{0xFF, 0xFB, 0x90, 0x00}, 36}, {{0xFF, 0xFA, 0x90, 0x40}, 36},
        {{0xFF, 0xFB, 0x90, 0xC0}, 21}, {{0xFF, 0xF3, 0x80, 0x00}, 21},
        {{0xFF, 0xE3, 0x80, 0xC0}, 13},
    };
    for (const auto& c : cases) {
        MpegFrameInfo frame;
        DecodeHeader(c.bytes, frame);
        EXPECT_EQ(VbrHeaderOffset(frame), c.offset);
    }
}

TEST(VbrHeader, ReadsXingFieldsAtFixedOffsetsWhateverTheFlags) {
    Bytes frame = test::FrameWithVbrHeader(test::kMpeg1Layer3At128, 36, "Xing", 10000, 4179600);
    frame[36 + 7] = 0x01;  // flags announce frames only: the byte count is still taken
    std::fill(frame.begin() + 36 + 120, frame.begin() + 36 + 128, 0);
    const VBRData vbr = ReadVbrHeader(frame, 36);
    EXPECT_TRUE(vbr.found);
    EXPECT_EQ(std::string(vbr.id.data(), 4), "Xing");
    EXPECT_EQ(vbr.frameCount, 10000);
    EXPECT_EQ(vbr.byteCount, 4179600);
    EXPECT_EQ(vbr.quality, 57);
    EXPECT_EQ(vbr.encoderTag, std::string(8, '\0'));
}

TEST(VbrHeader, ReadsVbriAndCountsOfTwoToTheThirtyFirstAsNegative) {
    const Bytes frame =
        test::FrameWithVbrHeader(test::kMpeg1Layer3At128, 36, "VBRI", 0x80000000u, 5000);
    const VBRData vbr = ReadVbrHeader(frame, 36);
    EXPECT_TRUE(vbr.found);
    EXPECT_EQ(std::string(vbr.id.data(), 4), "VBRI");
    EXPECT_EQ(vbr.byteCount, 5000);
    EXPECT_LT(vbr.frameCount, 0);
    EXPECT_EQ(vbr.quality, 75);
    EXPECT_TRUE(vbr.encoderTag.empty());
}

TEST(VbrHeader, InfoAndLowerCaseIdentifiersAreNoVbrHeader) {
    for (const char* id : {"Info", "xing", "Vbri"}) {
        const Bytes frame = test::FrameWithVbrHeader(test::kMpeg1Layer3At128, 36, id, 10, 4170);
        EXPECT_FALSE(ReadVbrHeader(frame, 36).found) << id;
    }
}

TEST(VbrHeader, HeaderRunningPastTheBlockReadsZerosThere) {
    const Bytes frame = test::FrameWithVbrHeader(test::kMpeg1Layer3At128, 36, "Xing", 7, 9);
    const std::span<const std::uint8_t> cut(frame.data(), 36 + 14);
    const VBRData vbr = ReadVbrHeader(cut, 36);
    EXPECT_TRUE(vbr.found);
    EXPECT_EQ(vbr.frameCount, 7);
    EXPECT_EQ(vbr.byteCount, 0);
}

TEST(VbrHeader, ZeroMarkNeedsAllSixBytes) {
    Bytes bytes(16, 0);
    EXPECT_TRUE(HasZeroAfterHeader(bytes, 4));
    bytes[9] = 1;
    EXPECT_FALSE(HasZeroAfterHeader(bytes, 4));
}

// A block with the mark beginning fromEnd bytes before its end (cut where the block ends).
Bytes BlockWithMarkAt(std::size_t fromEnd, const std::string& mark) {
    Bytes block(3458, 0x11);
    const std::size_t start = block.size() - fromEnd;
    std::copy_n(mark.begin(), std::min(mark.size(), fromEnd),
                block.begin() + static_cast<std::ptrdiff_t>(start));
    return block;
}

TEST(EncoderVersion, FindsMarksOnlyInsideTheWindow) {
    const struct {
        std::size_t fromEnd;  // where the mark begins, counted back from the block's end
        std::uint16_t window;
        const char* expected;
    } cases[] = {
        {8, 2090, "LAME3.99"},    {2098, 2090, "LAME3.99"},
        {2099, 2090, ""},         {7, 2090, ""},  // begins in the last seven bytes
        {3458, 7205, "LAME3.99"},                 // the window is cut to the block
    };
    for (const auto& c : cases) {
        const Bytes block = BlockWithMarkAt(c.fromEnd, "LAME3.99");
        EXPECT_EQ(FindEncoderVersion(block, c.window), std::string(c.expected))
            << c.fromEnd << " " << c.window;
    }
}

TEST(EncoderVersion, MarkNearestTheEndWins) {
    Bytes block = BlockWithMarkAt(100, "LAME3.10");
    std::copy_n("GOGO", 4, block.end() - 50);
    EXPECT_EQ(FindEncoderVersion(block, 2090), "GOGO");
    std::copy_n("LAME3.98", 8, block.end() - 20);
    EXPECT_EQ(FindEncoderVersion(block, 2090), "LAME3.98");
}

TEST(EncoderVersion, TinyBlocksHaveNoMark) {
    const Bytes block{'L', 'A', 'M', 'E', '3'};
    EXPECT_EQ(FindEncoderVersion(block, 100), "");
}

}  // namespace
}  // namespace kestrune::mpeg
