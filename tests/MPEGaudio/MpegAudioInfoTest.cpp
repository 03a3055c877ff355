// The file scan on streams built byte by byte and on real files made with lame.
#include "MPEGaudio/MpegAudioInfo.h"

#include "platform/MemorySource.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kestrune::mpeg {
namespace {

using test::Bytes;
using test::Concat;
using test::Filler;

// An in-memory source that records every read, to check what the scan reads and where.
class RecordingSource final : public platform::ByteSource {
public:
    explicit RecordingSource(const Bytes& bytes) : memory_(bytes) {}
    std::int64_t Size() const override { return memory_.Size(); }
    std::optional<std::size_t> ReadAt(std::int64_t offset,
                                      std::span<std::uint8_t> buffer) override {
        reads.push_back({offset, buffer.size()});
        if (failReadsFrom && reads.size() >= *failReadsFrom) {
            return std::nullopt;
        }
        return memory_.ReadAt(offset, buffer);
    }
    std::size_t BlockReads() const {
        std::size_t count = 0;
        for (const auto& read : reads) {
            count += read.second == kScanBlockSize ? 1 : 0;
        }
        return count;
    }
    std::vector<std::pair<std::int64_t, std::size_t>> reads;
    std::optional<std::size_t> failReadsFrom;

private:
    platform::MemorySource memory_;
};

// An ID3v2 tag of totalSize bytes (header included) holding only padding.
Bytes EmptyId3v2(std::size_t totalSize) {
    return test::MakeId3v2Tag(3, {}, totalSize - 10);
}

Bytes PaddedTo(Bytes bytes, std::size_t size) {
    bytes.resize(size, 0x11);
    return bytes;
}

struct Analysis {
    bool result;
    MpegAudioInfo info;
    std::size_t blockReads;
};

Analysis Analyse(const Bytes& bytes) {
    RecordingSource source(bytes);
    Analysis analysis{false, {}, 0};
    analysis.result = analysis.info.ReadFrom(source);
    analysis.blockReads = source.BlockReads();
    for (const auto& read : source.reads) {
        EXPECT_GE(read.first, 0) << "a read before the start of the file";
    }
    return analysis;
}

TEST(FileScan, ConfirmsAFrameAtTheStartOfTheAudio) {
    const Analysis a = Analyse(PaddedTo(test::Frames(test::kMpeg1Layer3At128, 20), 100000));
    ASSERT_TRUE(a.result);
    EXPECT_TRUE(a.info.frame.found);
    EXPECT_EQ(a.info.frame.position, 0);
    EXPECT_EQ(a.info.frame.frameLength, 417);
    EXPECT_FALSE(a.info.vbr.found);
    EXPECT_EQ(a.info.BitRate(), 128);
    EXPECT_TRUE(a.info.IsValid());
    EXPECT_EQ(a.blockReads, 2u);  // the first block and the end block for the encoder mark
}

TEST(FileScan, SkipsJunkAndHeadersThatAreNotConfirmed) {
    // A lone header whose frame length does not lead to another header is passed over.
    const Bytes lone = Concat({{0xFF, 0xFB, 0x90, 0x00}, Filler(500)});
    const Analysis a = Analyse(
        PaddedTo(Concat({Filler(33), lone, test::Frames(test::kMpeg1Layer3At128, 8)}), 20000));
    ASSERT_TRUE(a.info.frame.found);
    EXPECT_EQ(a.info.frame.position, 33 + 504);
}

TEST(FileScan, FirstFrameTooLateForTheFirstBlockIsLookedForInTheMiddle) {
    const Bytes tag = EmptyId3v2(1000);
    const Bytes audio = Concat({Filler(1730), test::Frames(test::kMpeg1Layer3At128, 60)});
    const Bytes file = Concat({tag, audio});
    const Analysis a = Analyse(file);
    ASSERT_TRUE(a.result);
    ASSERT_TRUE(a.info.frame.found);
    // The middle block starts at half of (file length - tag size), counted from the file start.
    const std::int64_t middle = (static_cast<std::int64_t>(file.size()) - 1000) / 2;
    const std::int64_t firstFrame = 1000 + 1730;
    const std::int64_t expected = (firstFrame + ((middle - firstFrame) / 417 + 1) * 417) - middle;
    EXPECT_EQ(a.info.frame.position, expected);
    EXPECT_EQ(a.blockReads, 3u);
}

TEST(FileScan, ShortAudioWithoutAFrameIsNotSearchedTwice) {
    const Analysis a = Analyse(Concat({EmptyId3v2(100), Filler(3000)}));
    EXPECT_TRUE(a.result);
    EXPECT_FALSE(a.info.frame.found);
    EXPECT_FALSE(a.info.IsValid());
    EXPECT_EQ(a.blockReads, 1u);
    EXPECT_EQ(a.info.fileLength, 0);  // the object is reset without a frame
}

TEST(FileScan, ConstantBitRateDurationCountsTheAudioBetweenTheTags) {
    Bytes file = Concat({EmptyId3v2(4096), test::Frames(test::kMpeg1Layer3At128, 3)});
    file = Concat({PaddedTo(file, 1000000 - 128), test::MakeId3v1Tag({.genre = 17})});
    const Analysis a = Analyse(file);
    ASSERT_TRUE(a.info.IsValid());
    EXPECT_TRUE(a.info.id3v1.exists);
    EXPECT_EQ(a.info.id3v2.size, 4096);
    EXPECT_NEAR(a.info.Duration(), 62.236, 1e-9);
}

// 1,600 bytes at 128 kbit/s are exactly a tenth of a second: valid on every processor.
TEST(FileScan, ATenthOfASecondOfConstantBitRateAudioIsValid) {
    for (const auto& [size, valid] : {std::pair{1599u, false}, {1600u, true}}) {
        SCOPED_TRACE(size);
        const Analysis a = Analyse(PaddedTo(test::Frames(test::kMpeg1Layer3At128, 3), size));
        ASSERT_TRUE(a.info.frame.found);
        EXPECT_EQ(a.info.IsValid(), valid);
    }
}

TEST(FileScan, VbrHeaderTotalsGiveBitRateAndDuration) {
    const struct {
        std::array<std::uint8_t, 4> header;
        std::uint32_t frames;
        std::uint32_t bytes;
        std::uint16_t bitRate;
        double duration;
        bool valid;
    } cases[] = {
        {{0xFF, 0xFB, 0x90, 0x00}, 10000, 4179600, 128, 261.2244898, true},
        {{0xFF, 0xFB, 0x90, 0x00}, 4, 1672, 128, 0.1044898, true},
        {{0xFF, 0xFB, 0x90, 0x00}, 3, 1254, 128, 0.0783673, false},
        {{0xFF, 0xFB, 0x94, 0x00}, 10, 3855, 128, 0.24, true},          // 128.5: halves go to even
        {{0xFF, 0xFB, 0x94, 0x00}, 10, 3825, 128, 0.24, true},          // 127.5
        {{0xFF, 0xFB, 0x90, 0x00}, 10, 20000, 612, 0.2612245, false},   // above 448
        {{0xFF, 0xFB, 0x90, 0x00}, 1000, 20000, 6, 26.1224490, false},  // below 8
        // More frames than 32-bit sample arithmetic can count.
        {{0xFF, 0xFB, 0x90, 0x00}, 2000000, 836000000, 128, 52244.8979592, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.frames << " frames, " << c.bytes << " bytes");
        const Bytes frames =
            Concat({test::FrameWithVbrHeader(c.header, 36, "Xing", c.frames, c.bytes),
                    test::Frames(c.header, 10)});
        const Analysis a = Analyse(PaddedTo(frames, 50000));
        ASSERT_TRUE(a.info.frame.found);
        EXPECT_TRUE(a.info.vbr.found);
        EXPECT_EQ(a.info.BitRate(), c.bitRate);
        EXPECT_NEAR(a.info.Duration(), c.duration, 1e-6);
        EXPECT_EQ(a.info.IsValid(), c.valid);
        EXPECT_EQ(a.blockReads, 1u);  // no encoder mark search with a VBR header
    }
}

TEST(FileScan, UnusableVbrCountsFallBackToTheFirstFrame) {
    for (const std::uint32_t frames : {0u, 0x80000000u}) {
        const Bytes bytes =
            Concat({test::FrameWithVbrHeader(test::kMpeg1Layer3At128, 36, "Xing", frames, 999),
                    test::Frames(test::kMpeg1Layer3At128, 10)});
        const Analysis a = Analyse(PaddedTo(bytes, 100000));
        EXPECT_TRUE(a.info.vbr.found);
        EXPECT_EQ(a.info.BitRate(), 128);
        EXPECT_NEAR(a.info.Duration(), 100000 / 128.0 / 1000 * 8, 1e-9);
    }
}

TEST(FileScan, VbriIsFoundOnlyAtTheXingPosition) {
    const test::Header mpeg2{0xFF, 0xF3, 0x80, 0x00};
    const Bytes atXing =
        Concat({test::FrameWithVbrHeader(mpeg2, 21, "VBRI", 100, 20800), test::Frames(mpeg2, 10)});
    EXPECT_TRUE(Analyse(PaddedTo(atXing, 20000)).info.vbr.found);
    const Bytes atUsualPlace =
        Concat({test::FrameWithVbrHeader(mpeg2, 36, "VBRI", 100, 20800), test::Frames(mpeg2, 10)});
    EXPECT_FALSE(Analyse(PaddedTo(atUsualPlace, 20000)).info.vbr.found);
}

TEST(FileScan, EveryLayerAndVersionIsAnalysedFromItsFirstFrame) {
    const struct {
        test::Header header;
        std::uint16_t bitRate;
        std::uint16_t frameLength;
    } cases[] = {
        {{0xFF, 0xFF, 0x90, 0x00}, 288, 313},  // MPEG 1 Layer I
        {{0xFF, 0xFD, 0x90, 0x00}, 160, 522},  // MPEG 1 Layer II
        {{0xFF, 0xFC, 0x90, 0x00}, 160, 522},  // Layer II with CRC
        {{0xFF, 0xF7, 0x90, 0x00}, 144, 313},  // MPEG 2 Layer I
        {{0xFF, 0xE3, 0x90, 0x00}, 80, 522},   // MPEG 2.5 Layer III
    };
    for (const auto& c : cases) {
        const Analysis a = Analyse(PaddedTo(test::Frames(c.header, 12), 30000));
        ASSERT_TRUE(a.info.frame.found) << c.bitRate;
        EXPECT_EQ(a.info.BitRate(), c.bitRate);
        EXPECT_EQ(a.info.frame.frameLength, c.frameLength);
        EXPECT_TRUE(a.info.IsValid());
    }
}

TEST(FileScan, TruncatedStreamWithoutASecondHeaderHasNoFrame) {
    Bytes truncated = test::Frames(test::kMpeg1Layer3At128, 2);
    truncated.resize(417 + 2);  // the second header is cut off
    const Analysis a = Analyse(truncated);
    EXPECT_TRUE(a.result);
    EXPECT_FALSE(a.info.frame.found);
}

TEST(FileScan, FreeFormatAndJunkAreNotValid) {
    const Bytes freeFormat =
        PaddedTo(Concat({{0xFF, 0xFB, 0x00, 0x00}, Filler(400), {0xFF, 0xFB, 0x00, 0x00}}), 10000);
    for (const Bytes& bytes : {freeFormat, Filler(100000), Bytes(20, 0)}) {
        const Analysis a = Analyse(bytes);
        EXPECT_TRUE(a.result);
        EXPECT_FALSE(a.info.IsValid());
        EXPECT_EQ(a.info.Duration(), 0.0);
        EXPECT_EQ(a.info.BitRate(), 0);
    }
}

TEST(FileScan, ShortFileGetsItsEncoderMarkBlockFromTheStart) {
    Bytes bytes = test::Frames(test::kMpeg1Layer3At128, 5);
    std::copy_n("LAME3.100", 9, bytes.end() - 40);
    const Analysis a = Analyse(bytes);
    ASSERT_TRUE(a.info.frame.found);
    EXPECT_EQ(a.info.encoderVersion, "LAME3.10");
}

TEST(FileScan, ReadFailuresReportFalseAndKeepOnlyAConfirmedFrame) {
    const Bytes bytes = PaddedTo(test::Frames(test::kMpeg1Layer3At128, 20), 100000);
    const struct {
        std::size_t failingRead;
        bool frameKept;
    } cases[] = {{1, false}, {3, false}, {4, true}};  // header, v1 tag, first block, end block
    for (const auto& c : cases) {
        RecordingSource source(bytes);
        source.failReadsFrom = c.failingRead;
        MpegAudioInfo info;
        EXPECT_FALSE(info.ReadFrom(source)) << c.failingRead;
        EXPECT_EQ(info.frame.found, c.frameKept) << c.failingRead;
    }
}

TEST(FileScan, MissingFileIsNotValid) {
    MpegAudioInfo info;
    EXPECT_FALSE(info.ReadFromFile("/nonexistent/kestrune/missing.mp3"));
    EXPECT_FALSE(info.IsValid());
}

TEST(FileScan, RealFilesMadeWithLame) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::TempDir dir;
    const struct {
        const char* options;
        int sampleRate;
        int channels;
        std::uint16_t bitRate;
        bool vbr;
        std::uint8_t version;
        std::uint8_t channelMode;
    } cases[] = {
        {"-b 128", 44100, 2, 128, false, kVersion1, 1},
        {"-b 64 -m m", 44100, 1, 64, false, kVersion1, kChannelModeMono},
        {"-b 64 --resample 22.05", 22050, 2, 64, false, kVersion2, 1},
        {"-b 32 --resample 11.025", 11025, 1, 32, false, kVersion25, kChannelModeMono},
        {"-b 160 -m s -p", 44100, 2, 160, false, kVersion1, 0},  // CRC protected
        {"--abr 96", 44100, 2, 0, true, kVersion1, 1},
        {"-V 5", 44100, 2, 0, true, kVersion1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string path = dir.File("tone.mp3");
        test::MakeMp3(path, c.options, 3.0, c.sampleRate, c.channels);
        MpegAudioInfo info;
        ASSERT_TRUE(info.ReadFromFile(path));
        ASSERT_TRUE(info.IsValid());
        EXPECT_EQ(info.vbr.found, c.vbr);
        EXPECT_EQ(info.frame.versionIndex, c.version);
        EXPECT_EQ(info.frame.channelMode, c.channelMode);
        if (c.bitRate != 0) {
            EXPECT_EQ(info.BitRate(), c.bitRate);
        } else {
            EXPECT_GT(info.BitRate(), 8);
            EXPECT_LT(info.BitRate(), 200);
        }
        EXPECT_NEAR(info.Duration(), 3.0, 0.25);  // the encoder adds delay and padding
    }
}

}  // namespace
}  // namespace kestrune::mpeg
