// The ID3v2 reader: the header and the tag size, the frame scan in the three frame forms,
// and the fields derived from the frames kept.
#include "ID3v2/Id3v2Tag.h"

#include "platform/MemorySource.h"
#include "support/FailingSource.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace kestrune::id3v2 {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::LegacyTextData;
using test::MakeId3v2Frame;
using test::MakeId3v2FrameHeader;
using test::MakeId3v2Header;
using test::MakeId3v2Tag;
using test::TextData;
using test::Utf16TextData;

const Bytes kAudio(2000, 0xFF);

Id3v2Tag Read(const Bytes& bytes) {
    platform::MemorySource source(bytes);
    Id3v2Tag tag;
    EXPECT_TRUE(tag.ReadFrom(source));
    return tag;
}

// Reads a tag of the given version made of the frames, followed by audio.
Id3v2Tag ReadFrames(std::uint8_t version, const Bytes& frames) {
    return Read(Concat({MakeId3v2Tag(version, frames, 20), kAudio}));
}

Bytes Frame3(std::string_view id, const Bytes& data, std::uint8_t formatFlags = 0) {
    return MakeId3v2Frame(3, id, data, formatFlags);
}

void ExpectNoTexts(const Id3v2Tag& tag) {
    for (const std::string* text :
         {&tag.title, &tag.artist, &tag.album, &tag.trackText, &tag.year, &tag.genre, &tag.comment,
          &tag.composer, &tag.encoder, &tag.copyright, &tag.language, &tag.link}) {
        EXPECT_EQ(*text, "");
    }
    EXPECT_EQ(tag.track, 0);
}

TEST(Id3v2Tag, SourceShorterThanTheHeaderGivesFalse) {
    for (const Bytes& bytes : {Bytes{}, BytesOf("ID3\3\0"), Bytes(9, 0)}) {
        platform::MemorySource source(bytes);
        Id3v2Tag tag;
        tag.exists = true;
        EXPECT_FALSE(tag.ReadFrom(source));
        EXPECT_FALSE(tag.exists);
        EXPECT_EQ(tag.size, 0);
    }
}

TEST(Id3v2Tag, MissingOrUnreadableFileGivesFalse) {
    test::TempDir dir;
    Id3v2Tag tag;
    EXPECT_FALSE(tag.ReadFromFile(dir.File("missing.mp3")));
    const std::string shortFile = dir.File("short.mp3");
    test::WriteBytes(shortFile, BytesOf("ID3\3\0"));
    EXPECT_FALSE(tag.ReadFromFile(shortFile));

    const Bytes bytes = MakeId3v2Tag(3, {}, 10);
    test::FailingSource failing(bytes, 0);
    EXPECT_FALSE(tag.ReadFrom(failing));
    EXPECT_FALSE(tag.exists);
}

TEST(Id3v2Tag, WithoutAnExactMarkerThereIsNoTag) {
    for (const std::string_view marker : {"id3", "ID2", "IDE", "TAG"}) {
        Bytes bytes = Concat({MakeId3v2Tag(3, Frame3("TIT2", LegacyTextData("Song"))), kAudio});
        std::copy(marker.begin(), marker.end(), bytes.begin());
        const Id3v2Tag tag = Read(bytes);
        EXPECT_FALSE(tag.exists) << marker;
        EXPECT_EQ(tag.version, 0);
        EXPECT_EQ(tag.size, 0);
        ExpectNoTexts(tag);
    }
}

TEST(Id3v2Tag, SizeCountsHeaderAndFooterAndTakesSizeBytesWhole) {
    const struct {
        std::array<std::uint8_t, 4> sizeBytes;
        std::uint8_t flags;
        std::int32_t size;
    } cases[] = {
        {{0, 0, 2, 1}, 0, 267},
        {{0, 0, 2, 1}, 0x10, 277},
        {{0, 0, 2, 1}, 0xEF, 267},         // other flags change nothing
        {{0, 0, 0x80, 0}, 0, 16384 + 10},  // top bit not masked
        {{0, 0, 1, 0x80}, 0, 128 + 128 + 10},
        {{0, 0, 0, 0}, 0, 10},
        {{0, 1, 28, 12}, 0x10, 20000},  // exactly the file size
        {{0, 1, 28, 13}, 0x10, 0},      // one byte more than the file
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0x10, 0},
    };
    for (const auto& c : cases) {
        Bytes bytes(20000, 0);
        const Bytes header = {
            'I',           'D', '3', 3, 0, c.flags, c.sizeBytes[0], c.sizeBytes[1], c.sizeBytes[2],
            c.sizeBytes[3]};
        std::copy(header.begin(), header.end(), bytes.begin());
        const Id3v2Tag tag = Read(bytes);
        EXPECT_TRUE(tag.exists);
        EXPECT_EQ(tag.version, 3);
        EXPECT_EQ(tag.size, c.size) << int(c.sizeBytes[2]) << " " << int(c.flags);
    }
}

TEST(Id3v2Tag, TagLargerThanTheFileHasNoTexts) {
    Bytes bytes = MakeId3v2Tag(3, Frame3("TIT2", LegacyTextData("Song")));
    bytes[6] = 0x7F;  // about 266 MB declared
    const Id3v2Tag tag = Read(bytes);
    EXPECT_TRUE(tag.exists);
    EXPECT_EQ(tag.size, 0);
    ExpectNoTexts(tag);
}

TEST(Id3v2Tag, OtherMajorVersionsHaveASizeButNoTexts) {
    for (const std::uint8_t version : {0, 1, 5, 255}) {
        const Bytes tagBytes = MakeId3v2Tag(3, Frame3("TIT2", LegacyTextData("Song")));
        Bytes bytes = Concat({tagBytes, kAudio});
        bytes[3] = version;
        const Id3v2Tag tag = Read(bytes);
        EXPECT_TRUE(tag.exists);
        EXPECT_EQ(tag.version, version);
        EXPECT_EQ(tag.size, static_cast<std::int32_t>(tagBytes.size()));
        ExpectNoTexts(tag);
    }
}

// Every field from its frame, in each of the three frame forms.
TEST(Id3v2Tag, ReadsEveryFieldInEachFrameForm) {
    const std::map<std::uint8_t, std::vector<std::string_view>> ids = {
        {2, {"TT2", "TP1", "TAL", "TRK", "TYE", "TCO", "COM", "TCM", "TEN", "TCR", "TLA", "WXX"}},
        {3,
         {"TIT2", "TPE1", "TALB", "TRCK", "TYER", "TCON", "COMM", "TCOM", "TENC", "TCOP", "TLAN",
          "WXXX"}},
        {4,
         {"TIT2", "TPE1", "TALB", "TRCK", "TYER", "TCON", "COMM", "TCOM", "TENC", "TCOP", "TLAN",
          "WXXX"}},
    };
    for (const auto& [version, id] : ids) {
        const auto frame = [version = version, &id = id](std::size_t slot, const Bytes& data) {
            return MakeId3v2Frame(version, id[slot], data);
        };
        const Bytes frames = Concat({
            frame(0, LegacyTextData("Title")),
            frame(1, Utf16TextData(u"Artist")),
            frame(2, LegacyTextData("Album")),
            frame(3, LegacyTextData("5/9")),
            frame(4, LegacyTextData("1987")),
            frame(5, LegacyTextData("(17)Rock")),
            frame(6, Concat({BytesOf(std::string_view("\0eng", 4)), {0}, BytesOf("Comment")})),
            frame(7, LegacyTextData("Composer")),
            frame(8, LegacyTextData("Encoder")),
            frame(9, LegacyTextData("Copyright")),
            frame(10, LegacyTextData("rus")),
            frame(11, Concat({{0}, BytesOf("d"), {0}, BytesOf("http://a.b")})),
        });
        const Id3v2Tag tag = ReadFrames(version, frames);
        SCOPED_TRACE(int(version));
        EXPECT_EQ(tag.version, version);
        EXPECT_EQ(tag.title, "Title");
        EXPECT_EQ(tag.artist, "Artist");
        EXPECT_EQ(tag.album, "Album");
        EXPECT_EQ(tag.track, 5);
        EXPECT_EQ(tag.trackText, "5/9");
        EXPECT_EQ(tag.year, "1987");
        EXPECT_EQ(tag.genre, "Rock");
        EXPECT_EQ(tag.comment, "Comment");
        EXPECT_EQ(tag.composer, "Composer");
        EXPECT_EQ(tag.encoder, "Encoder");
        EXPECT_EQ(tag.copyright, "Copyright");
        EXPECT_EQ(tag.language, "rus");
        EXPECT_EQ(tag.link, "http://a.b");
    }
}

TEST(Id3v2Tag, FallbackFramesFillEmptyTitleArtistAlbumAndYear) {
    const struct {
        std::uint8_t version;
        std::string_view title, artist, album, year;
    } forms[] = {{2, "TT1", "TOA", "TOT", "TOR"}, {3, "TIT1", "TOPE", "TOAL", "TDRC"}};
    for (const auto& form : forms) {
        const auto frame = [&](std::string_view id, std::string_view text) {
            return MakeId3v2Frame(form.version, id, LegacyTextData(text));
        };
        const Id3v2Tag tag = ReadFrames(
            form.version, Concat({frame(form.title, "Group"), frame(form.artist, "Original"),
                                  frame(form.album, "First"), frame(form.year, "2004-05-06")}));
        EXPECT_EQ(tag.title, "Group");
        EXPECT_EQ(tag.artist, "Original");
        EXPECT_EQ(tag.album, "First");
        EXPECT_EQ(tag.year, "2004");
    }
}

TEST(Id3v2Tag, MainFrameWinsUnlessItsTextIsEmpty) {
    const Id3v2Tag tag = ReadFrames(
        3,
        Concat({Frame3("TIT1", LegacyTextData("Group")), Frame3("TIT2", LegacyTextData("Song")),
                Frame3("TOPE", LegacyTextData("Original")), Frame3("TPE1", LegacyTextData("  ")),
                Frame3("TYER", LegacyTextData("1999")), Frame3("TDRC", LegacyTextData("2004"))}));
    EXPECT_EQ(tag.title, "Song");
    EXPECT_EQ(tag.artist, "Original");
    EXPECT_EQ(tag.year, "1999");
}

TEST(Id3v2Tag, YearFromRecordingTimeCountsCharacters) {
    const Id3v2Tag tag =
        ReadFrames(4, MakeId3v2Frame(4, "TDRC", TextData(3, BytesOf("Годы 2004"))));
    EXPECT_EQ(tag.year, "Годы");
}

TEST(Id3v2Tag, GenreLosesEverythingUpToItsLastClosingParenthesis) {
    const struct {
        std::string_view text;
        std::string genre;
    } cases[] = {
        {"(17)", ""},           {"(17)Rock", "Rock"}, {"Rock", "Rock"},
        {"(17) Rock", " Rock"}, {"(1)(2)Pop", "Pop"}, {"Rock)", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrames(3, Frame3("TCON", LegacyTextData(c.text))).genre, c.genre) << c.text;
    }
}

TEST(Id3v2Tag, SlotTakesOnlyFramesWithAKnownEncodingAndTheLastOneWins) {
    const Id3v2Tag tag = ReadFrames(
        3,
        Concat({Frame3("TIT1", LegacyTextData("Group")), Frame3("TIT2", TextData(4, BytesOf("X"))),
                Frame3("TALB", LegacyTextData("First")), Frame3("TALB", TextData(2, {0, 'B'})),
                Frame3("TPE1", TextData(3, BytesOf("Ёж"))),
                Frame3("TPE1", TextData(0xFF, BytesOf("Y"))),
                Frame3("TiT2", LegacyTextData("mixed case"))}));
    EXPECT_EQ(tag.title, "Group");  // encoding 4 is not text
    EXPECT_EQ(tag.album, "B");
    EXPECT_EQ(tag.artist, "Ёж");
}

TEST(Id3v2Tag, OnlyTheFirst500BytesOfAFrameAreKeptAndTheScanGoesPastTheRest) {
    const Id3v2Tag tag =
        ReadFrames(3, Concat({Frame3("TCOM", LegacyTextData(std::string(999, 'a'))),
                              Frame3("TIT2", LegacyTextData("After"))}));
    EXPECT_EQ(tag.composer, std::string(499, 'a'));
    EXPECT_EQ(tag.title, "After");
}

// A podcast's description runs far past 500 bytes; it is carried into re-encoded files.
// Comments with a description hold a program's data, such as iTunes' loudness figures.
TEST(Id3v2Tag, CommentIsTheFirstPlainCommentFrameReadWholeWithinTheTagAndItsBound) {
    const auto comment = [](std::string_view text) {
        return Concat({BytesOf(std::string_view("\0eng\0", 5)), BytesOf(text)});
    };
    const Bytes described = Concat({BytesOf("\1eng"),
                                    {0xFF, 0xFE},
                                    test::Utf16LittleEndian(u"iTunNORM"),
                                    {0, 0},
                                    {0xFF, 0xFE},
                                    test::Utf16LittleEndian(u" 000002D4 00000280")});
    const std::string longText(3000, 'p');
    for (const auto& [version, id] :
         {std::pair<std::uint8_t, std::string_view>{2, "COM"}, {3, "COMM"}, {4, "COMM"}}) {
        const auto frame = [version = version, id = id](const Bytes& data) {
            return MakeId3v2Frame(version, id, data);
        };
        const Id3v2Tag tag = ReadFrames(
            version, Concat({frame(TextData(4, BytesOf("unknown encoding"))), frame(described),
                             frame(comment(longText)), frame(comment("Second"))}));
        EXPECT_EQ(tag.comment, longText) << int(version);
    }
    EXPECT_EQ(ReadFrames(3, Frame3("COMM", comment(std::string(10000, 'h')))).comment,
              std::string(8192 - 5, 'h'));
    // Declared past the end of the tag: only what the tag holds is read.
    const Bytes cut = Concat({MakeId3v2FrameHeader(3, "COMM", 5000), comment("Cut")});
    EXPECT_EQ(Read(Concat({MakeId3v2Tag(3, cut), kAudio})).comment, "Cut");
}

TEST(Id3v2Tag, FrameWithBit7OfItsSecondFlagsByteIsSkipped) {
    for (const std::uint8_t version : {3, 4}) {
        const Id3v2Tag tag = ReadFrames(
            version, Concat({MakeId3v2Frame(version, "TIT2", LegacyTextData("Packed"), 0x80),
                             MakeId3v2Frame(version, "TPE1", LegacyTextData("Kept"), 0x40),
                             MakeId3v2Frame(version, "TALB", LegacyTextData("After"))}));
        EXPECT_EQ(tag.title, "");
        EXPECT_EQ(tag.artist, "Kept");
        EXPECT_EQ(tag.album, "After");
    }
}

TEST(Id3v2Tag, Version4FrameSizesHaveSevenBitsPerByteTakenWhole) {
    // 300 bytes are written as 0, 0, 2, 44.
    const Bytes big = Concat({{0}, Bytes(299, 'x')});
    EXPECT_EQ(MakeId3v2FrameHeader(4, "TXXX", 300)[7], 44);
    EXPECT_EQ(ReadFrames(4, Concat({MakeId3v2Frame(4, "TXXX", big),
                                    MakeId3v2Frame(4, "TALB", LegacyTextData("Next"))}))
                  .album,
              "Next");
    // Size bytes 0, 0, 1, 128: 256 bytes in version 4 (unmasked), 384 in version 3.
    const Bytes header = {'T', 'X', 'X', 'X', 0, 0, 1, 0x80, 0, 0};
    const Bytes frames = Concat({header, Bytes(256, 'x'),
                                 MakeId3v2Frame(4, "TALB", LegacyTextData("Next")), Bytes(118, 0)});
    EXPECT_EQ(ReadFrames(4, frames).album, "Next");
    EXPECT_EQ(ReadFrames(3, frames).album, "");
}

TEST(Id3v2Tag, ScanEndsAtAnIdentifierNotStartingWithACapitalLetter) {
    for (const std::string_view stop : {std::string_view("\0\0\0\0", 4), std::string_view("tALB"),
                                        std::string_view("1ALB"), std::string_view("[ALB")}) {
        const Id3v2Tag tag = ReadFrames(
            3, Concat({Frame3("TIT2", LegacyTextData("Song")), MakeId3v2FrameHeader(3, stop, 0),
                       Frame3("TALB", LegacyTextData("Hidden"))}));
        EXPECT_EQ(tag.title, "Song");
        EXPECT_EQ(tag.album, "");
    }
}

TEST(Id3v2Tag, ScanStopsAtTheEndOfTheTag) {
    const Bytes tagBytes = MakeId3v2Tag(3, Frame3("TIT2", LegacyTextData("Song")));
    const Id3v2Tag tag = Read(Concat({tagBytes, Frame3("TALB", LegacyTextData("Audio")), kAudio}));
    EXPECT_EQ(tag.title, "Song");
    EXPECT_EQ(tag.album, "");
}

TEST(Id3v2Tag, FrameSizeOf2To31OrMoreEndsTheScan) {
    for (const std::uint32_t size : {0x80000000u, 0xFFFFFFFFu}) {
        const Bytes frames = Concat({MakeId3v2FrameHeader(3, "TIT2", size), LegacyTextData("Song"),
                                     Frame3("TALB", LegacyTextData("Hidden"))});
        const Id3v2Tag tag = ReadFrames(3, frames);
        EXPECT_EQ(tag.title.substr(0, 4), "Song");  // the bytes that follow are read as text
        EXPECT_EQ(tag.album, "");
    }
}

TEST(Id3v2Tag, ReadErrorEndsTheScanKeepingWhatWasRead) {
    const Bytes title = Frame3("TIT2", LegacyTextData("Song"));
    const Bytes bytes = Concat(
        {MakeId3v2Tag(3, Concat({title, Frame3("TALB", LegacyTextData("Album"))}), 10), kAudio});
    test::FailingSource source(bytes, static_cast<std::int64_t>(10 + title.size()));
    Id3v2Tag tag;
    EXPECT_TRUE(tag.ReadFrom(source));
    EXPECT_EQ(tag.title, "Song");
    EXPECT_EQ(tag.album, "");
}

TEST(Id3v2Tag, ReadsEachFrameHeaderAndAtMost500DataBytes) {
    class CountingSource final : public platform::ByteSource {
    public:
        explicit CountingSource(const Bytes& bytes) : bytes_(bytes) {}
        std::int64_t Size() const override { return bytes_.Size(); }
        std::optional<std::size_t> ReadAt(std::int64_t offset,
                                          std::span<std::uint8_t> buffer) override {
            ++reads;
            largestRead = std::max(largestRead, buffer.size());
            return bytes_.ReadAt(offset, buffer);
        }
        int reads = 0;
        std::size_t largestRead = 0;

    private:
        platform::MemorySource bytes_;
    };
    const Bytes bytes = Concat(
        {MakeId3v2Tag(
             3, Concat({Frame3("APIC", Bytes(100000, 1)), Frame3("TIT2", LegacyTextData("Song"))}),
             100),
         kAudio});
    CountingSource source(bytes);
    Id3v2Tag tag;
    ASSERT_TRUE(tag.ReadFrom(source));
    EXPECT_EQ(tag.title, "Song");
    EXPECT_EQ(source.reads, 1 + 2 + 2 + 1);  // tag header, two frames, the padding's header
    EXPECT_EQ(source.largestRead, 500u);
}

TEST(Id3v2Tag, NewReadLeavesNothingOfTheLastFile) {
    const Bytes tagged =
        Concat({MakeId3v2Tag(3, Frame3("TIT2", LegacyTextData("Song")), 10), kAudio});
    platform::MemorySource taggedSource(tagged);
    platform::MemorySource plainSource(kAudio);
    Id3v2Tag tag;
    ASSERT_TRUE(tag.ReadFrom(taggedSource));
    ASSERT_EQ(tag.title, "Song");
    EXPECT_TRUE(tag.ReadFrom(plainSource));
    EXPECT_FALSE(tag.exists);
    EXPECT_EQ(tag.size, 0);
    ExpectNoTexts(tag);
}

TEST(Id3v2Tag, ReadsTheTagThatLameWrites) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::TempDir dir;
    const std::string path = dir.File("tagged.mp3");
    test::MakeMp3(path,
                  "--id3v2-only --tt \"Песня é\" --ta Artist --tl Album --ty 2001 --tn 3/12 "
                  "--tg Rock --tc Note");
    Id3v2Tag tag;
    ASSERT_TRUE(tag.ReadFromFile(path));
    EXPECT_TRUE(tag.exists);
    EXPECT_EQ(tag.version, 3);
    EXPECT_EQ(tag.title, "Песня é");
    EXPECT_EQ(tag.artist, "Artist");
    EXPECT_EQ(tag.album, "Album");
    EXPECT_EQ(tag.year, "2001");
    EXPECT_EQ(tag.track, 3);
    EXPECT_EQ(tag.trackText, "3/12");
    EXPECT_EQ(tag.genre, "Rock");
    EXPECT_EQ(tag.comment, "Note");
    // The audio begins right after the tag: lame starts it with a frame sync.
    const Bytes bytes = test::ReadBytes(path);
    ASSERT_GT(bytes.size(), static_cast<std::size_t>(tag.size) + 1);
    EXPECT_EQ(bytes[tag.size], 0xFF);
    EXPECT_EQ(bytes[tag.size + 1] & 0xE0, 0xE0);
}

}  // namespace
}  // namespace kestrune::id3v2
