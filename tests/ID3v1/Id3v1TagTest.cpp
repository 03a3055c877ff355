// The ID3v1 reader: where it looks, how it trims and decodes the text areas, how it tells
// the two layouts apart, and that missing or short files read as files without a tag.
#include "ID3v1/Id3v1Tag.h"

#include "platform/MemorySource.h"
#include "support/FailingSource.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kestrune::id3v1 {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::MakeId3v1Tag;

constexpr std::size_t kTitleOffset = 3;

Id3v1Tag Read(const Bytes& bytes) {
    platform::MemorySource source(bytes);
    Id3v1Tag tag;
    EXPECT_TRUE(tag.ReadFrom(source));
    return tag;
}

void ExpectReset(const Id3v1Tag& tag) {
    EXPECT_FALSE(tag.exists);
    EXPECT_EQ(tag.version, 1);
    EXPECT_EQ(tag.title, "");
    EXPECT_EQ(tag.artist, "");
    EXPECT_EQ(tag.album, "");
    EXPECT_EQ(tag.year, "");
    EXPECT_EQ(tag.comment, "");
    EXPECT_EQ(tag.track, 0);
    EXPECT_EQ(tag.genreId, 255);
}

Bytes TagWithTitleArea(const Bytes& area) {
    Bytes tag = MakeId3v1Tag({});
    std::copy(area.begin(), area.end(), tag.begin() + kTitleOffset);
    return tag;
}

TEST(Id3v1Tag, ReadsAllFieldsOfATagAtTheEndOfTheFile) {
    const Bytes file = Concat({Bytes(1000, 0xAA), MakeId3v1Tag({.title = "Title",
                                                                .artist = "Artist",
                                                                .album = "Album",
                                                                .year = "1999",
                                                                .comment = "Comment",
                                                                .track = 12,
                                                                .genre = 17})});
    const Id3v1Tag tag = Read(file);
    EXPECT_TRUE(tag.exists);
    EXPECT_EQ(tag.version, 2);
    EXPECT_EQ(tag.title, "Title");
    EXPECT_EQ(tag.artist, "Artist");
    EXPECT_EQ(tag.album, "Album");
    EXPECT_EQ(tag.year, "1999");
    EXPECT_EQ(tag.comment, "Comment");
    EXPECT_EQ(tag.track, 12);
    EXPECT_EQ(tag.genreId, 17);
}

TEST(Id3v1Tag, OnlyAnExactUpperCaseMarkerInTheLastBytesIsATag) {
    Bytes lowerCase = MakeId3v1Tag({.title = "Title", .genre = 3});
    std::copy_n("tag", 3, lowerCase.begin());
    const Bytes cases[] = {
        lowerCase,
        Concat({MakeId3v1Tag({.title = "Title"}), Bytes(1, 0)}),  // one byte too early
        Bytes(500, 0),
        Bytes{},
    };
    for (const Bytes& bytes : cases) {
        const Bytes tagBytes = MakeId3v1Tag({.title = "Old", .track = 4, .genre = 1});
        platform::MemorySource taggedSource(tagBytes);
        platform::MemorySource source(bytes);
        Id3v1Tag tag;
        ASSERT_TRUE(tag.ReadFrom(taggedSource));
        EXPECT_TRUE(tag.ReadFrom(source));
        ExpectReset(tag);  // nothing of the earlier file is left
    }
}

TEST(Id3v1Tag, TextAreasLoseOnlyTrailingControlBytesAndSpaces) {
    const struct {
        Bytes area;
        std::string title;
    } cases[] = {
        {Bytes(30, 0), ""},
        {Bytes(30, ' '), ""},
        {BytesOf("Abc"), "Abc"},
        {Concat({BytesOf("  Abc"), Bytes(25, ' ')}), "  Abc"},
        {BytesOf(std::string_view("Abc\0xyz", 7)), std::string("Abc\0xyz", 7)},
        {BytesOf("Abc\t\r\n\x1F \x01"), "Abc"},
        {Bytes(30, 'x'), std::string(30, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(TagWithTitleArea(c.area)).title, c.title);
    }
}

TEST(Id3v1Tag, TextIsDecodedFromTheLegacyCodePage) {
#ifndef _WIN32
    // "Песня" ends in the byte FF, which must not be taken for padding.
    const Id3v1Tag tag = Read(MakeId3v1Tag({.title = "\xCF\xE5\xF1\xED\xFF", .artist = "\xC0"}));
    EXPECT_EQ(tag.title, "Песня");
    EXPECT_EQ(tag.artist, "А");
#endif
}

TEST(Id3v1Tag, ByteBeforeTheTrackDecidesTheLayout) {
    const std::string comment28(28, 'c');
    const struct {
        std::uint8_t byte125;
        std::uint8_t byte126;
        std::uint8_t version;
        std::uint8_t track;
        std::string comment;
    } cases[] = {
        {0, 7, 2, 7, comment28},
        {0, 0, 1, 0, comment28},
        {' ', 65, 2, 65, comment28},
        {' ', ' ', 1, 0, comment28},
        {' ', 0, 2, 0, comment28},
        {0, ' ', 2, ' ', comment28},
        {'x', 'y', 1, 0, comment28 + "xy"},
        {'x', 0, 1, 0, comment28 + "x"},
    };
    for (const auto& c : cases) {
        Bytes bytes = MakeId3v1Tag({.comment = comment28});
        bytes[125] = c.byte125;
        bytes[126] = c.byte126;
        const Id3v1Tag tag = Read(bytes);
        EXPECT_EQ(tag.version, c.version) << int(c.byte125) << " " << int(c.byte126);
        EXPECT_EQ(tag.track, c.track) << int(c.byte125) << " " << int(c.byte126);
        EXPECT_EQ(tag.comment, c.comment) << int(c.byte125) << " " << int(c.byte126);
    }
}

TEST(Id3v1Tag, GenreIsTheRawByte) {
    for (const int genre : {0, 17, 147, 148, 200, 255}) {
        EXPECT_EQ(Read(MakeId3v1Tag({.genre = static_cast<std::uint8_t>(genre)})).genreId, genre);
    }
}

TEST(Id3v1Tag, FileShorterThanATagIsReadFromItsStart) {
    const Bytes tagFirst = Concat({BytesOf("TAGShort"), Bytes(60, 0)});
    const Id3v1Tag tag = Read(tagFirst);
    EXPECT_TRUE(tag.exists);
    EXPECT_EQ(tag.title, "Short");
    EXPECT_EQ(tag.genreId, 0);  // a byte that was never read counts as zero

    ExpectReset(Read(Concat({Bytes(50, ' '), BytesOf("TAGShort"), Bytes(10, 0)})));

    test::TempDir dir;
    const std::string path = dir.File("short.mp3");
    test::WriteBytes(path, tagFirst);
    Id3v1Tag fromFile;
    ASSERT_TRUE(fromFile.ReadFromFile(path));
    EXPECT_EQ(fromFile.title, "Short");
}

TEST(Id3v1Tag, FailedReadGivesFalseAndTheResetState) {
    const Bytes bytes = MakeId3v1Tag({.title = "Title"});
    test::FailingSource source(bytes, 0);
    Id3v1Tag tag;
    tag.title = "stale";
    EXPECT_FALSE(tag.ReadFrom(source));
    ExpectReset(tag);
}

TEST(Id3v1Tag, MissingFileReadsAsAFileWithoutATag) {
    test::TempDir dir;
    Id3v1Tag tag;
    EXPECT_TRUE(tag.ReadFromFile(dir.File("missing.mp3")));
    ExpectReset(tag);
}

TEST(Id3v1Tag, ReadsTheTagThatLameWrites) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::TempDir dir;
    const std::string path = dir.File("tagged.mp3");
    test::MakeMp3(path,
                  "--id3v1-only --tt \"Title\" --ta \"  Artist\" --tl Album --ty 2001 "
                  "--tc Note --tn 7 --tg Rock");
    Id3v1Tag tag;
    ASSERT_TRUE(tag.ReadFromFile(path));
    EXPECT_TRUE(tag.exists);
    EXPECT_EQ(tag.version, 2);
    EXPECT_EQ(tag.title, "Title");
    EXPECT_EQ(tag.artist, "  Artist");
    EXPECT_EQ(tag.album, "Album");
    EXPECT_EQ(tag.year, "2001");
    EXPECT_EQ(tag.comment, "Note");
    EXPECT_EQ(tag.track, 7);
    EXPECT_EQ(tag.genreId, 17);
}

}  // namespace
}  // namespace kestrune::id3v1
