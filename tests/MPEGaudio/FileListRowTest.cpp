// The file list's row for a file: name, size, columns and the tag values taken from the tags.
#include "MPEGaudio/FileListRow.h"

#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kestrune::mpeg {
namespace {

using test::Bytes;

TEST(FileListRow, SizesAreGroupedByThousands) {
    const struct {
        std::int64_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {4194304, "4,194,304"},
                 {1234567, "1,234,567"},
                 {5000000000, "5,000,000,000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(GroupThousands(c.value), c.text);
    }
}

TEST(FileListRow, NamesLoseFolderAndLastExtension) {
    test::TempDir dir;
    const struct {
        const char* file;
        const char* name;
    } cases[] = {{"x.y.mp3", "x.y"}, {"noext", "noext"}, {"Песня.MP3", "Песня"}};
    for (const auto& c : cases) {
        test::WriteBytes(dir.File(c.file), Bytes(999, 0));
        const FileListRow row = ReadFileListRow(dir.File(c.file));
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ(row.size, 999);
        EXPECT_FALSE(row.valid);
        EXPECT_EQ(BitRateText(row), "");
        EXPECT_EQ(KindText(row), "");
    }
}

TEST(FileListRow, MissingFileGetsARowOfNothing) {
    const FileListRow row = ReadFileListRow("/nonexistent/kestrune/Пропажа.mp3");
    EXPECT_EQ(row.name, "Пропажа");
    EXPECT_EQ(row.size, 0);
    EXPECT_FALSE(row.valid);
    EXPECT_EQ(row.duration, 0.0);
}

TEST(FileListRow, Id3v1TextWinsFieldByFieldAndTheGenreComesFromIt) {
    const Bytes v2Frames = test::Concat({
        test::MakeId3v2Frame(3, "TIT2", test::LegacyTextData("V2 title")),
        test::MakeId3v2Frame(3, "TPE1", test::Utf16TextData(u"Исполнитель")),
        test::MakeId3v2Frame(3, "TALB", test::LegacyTextData("V2 album")),
        test::MakeId3v2Frame(3, "TYER", test::LegacyTextData("1999")),
        test::MakeId3v2Frame(3, "TCON", test::LegacyTextData("(8)Jazz")),
    });
    const struct {
        test::Id3v1Fields v1;
        const char* title;
        const char* artist;
        const char* album;
        const char* year;
        const char* genre;
    } cases[] = {
        {{.title = "V1 title", .year = "2001", .genre = 17},
         "V1 title",
         "Исполнитель",
         "V2 album",
         "2001",
         "17"},
        {{.artist = "\xC8\xE2\xE0\xED", .genre = 0}, "V2 title", "Иван", "V2 album", "1999", "0"},
        {{.album = "V1 album", .genre = 147}, "V2 title", "Исполнитель", "V1 album", "1999", "147"},
        {{.genre = 148}, "V2 title", "Исполнитель", "V2 album", "1999", ""},
        {{.genre = 255}, "V2 title", "Исполнитель", "V2 album", "1999", ""},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.File("tagged.mp3");
        test::WriteBytes(path, test::Concat({test::MakeId3v2Tag(3, v2Frames, 64),
                                             test::Frames(test::kMpeg1Layer3At128, 40),
                                             test::MakeId3v1Tag(c.v1)}));
        const FileListRow row = ReadFileListRow(path);
        ASSERT_TRUE(row.valid);
        EXPECT_EQ(row.title, c.title);
        EXPECT_EQ(row.artist, c.artist);
        EXPECT_EQ(row.album, c.album);
        EXPECT_EQ(row.year, c.year);
        EXPECT_EQ(row.genre, c.genre);
        EXPECT_EQ(BitRateText(row), "128");
        EXPECT_EQ(KindText(row), "CBR");
    }
}

// A file with both tags whose ID3v2 frames and ID3v1 fields are given.
std::string WriteBothTags(const test::TempDir& dir, const Bytes& v2Frames,
                          const test::Id3v1Fields& v1) {
    const std::string path = dir.File("both.mp3");
    test::WriteBytes(
        path, test::Concat({test::MakeId3v2Tag(3, v2Frames, 16),
                            test::Frames(test::kMpeg1Layer3At128, 40), test::MakeId3v1Tag(v1)}));
    return path;
}

TEST(FileListRow, Id3v1TextThatOnlyCopiesTheStartOfTheId3v2TextGivesWayToIt) {
    const std::u16string longTitle = u"Очень длинное название песни из альбома";
    const struct {
        std::string v1;
        std::u16string v2;
        const char* taken;
    } cases[] = {
        {"?????", u"Песня", "Песня"},
        {"Caf?", u"Café", "Café"},
        {"Song?", u"Song?", "Song?"},
        {"????? ??????? ???????? ????? ?", longTitle, "Очень длинное название песни из альбома"},
        {"A title of exactly thirty char", u"A title of exactly thirty characters and more",
         "A title of exactly thirty characters and more"},  // a plain cut
        {"Cut right after the blank", u"Cut right after the blank     and more",
         "Cut right after the blank     and more"},   // the reader trimmed the blanks
        {"Why?", u"Why!", "Why?"},                    // "?" stands only for what ASCII lacks
        {"?mega Band", u"Omega Band", "?mega Band"},  // the same
        {"?mega Band", u"Ωmega Band", "Ωmega Band"},
        {"???", u"Песня", "???"},      // other length
        {"?x???", u"Песня", "?x???"},  // other letters
        {"Title", u"", "Title"},
        {"A title of exactly thirty cha", u"A title of exactly thirty characters",
         "A title of exactly thirty cha"},  // one character short of the cut
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const Bytes v2 = test::MakeId3v2Frame(3, "TIT2", test::Utf16TextData(c.v2));
        EXPECT_EQ(ReadFileListRow(WriteBothTags(dir, v2, {.title = c.v1})).title, c.taken) << c.v1;
    }
}

TEST(FileListRow, TrackAndCommentComeFromId3v2BeforeId3v1) {
    const Bytes v2 = test::Concat(
        {test::MakeId3v2Frame(3, "TRCK", test::LegacyTextData("5/12")),
         test::MakeId3v2Frame(3, "COMM", test::LegacyTextData(std::string_view("eng\0v2", 6)))});
    test::TempDir dir;
    const FileListRow both = ReadFileListRow(WriteBothTags(dir, v2, {.comment = "v1", .track = 7}));
    EXPECT_EQ(both.track, "5/12");
    EXPECT_EQ(both.comment, "v2");
    const FileListRow v1 = ReadFileListRow(WriteBothTags(dir, {}, {.comment = "v1", .track = 7}));
    EXPECT_EQ(v1.track, "7");
    EXPECT_EQ(v1.comment, "v1");
    EXPECT_EQ(ReadFileListRow(WriteBothTags(dir, {}, {.comment = "v1.0"})).track, "");
}

TEST(FileListRow, NoGenreWithoutAnId3v1Tag) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::TempDir dir;
    const std::string path = dir.File("v2.mp3");
    test::MakeMp3(path, "-V 4 --id3v2-only --tt Песня --tg 17");
    const FileListRow row = ReadFileListRow(path);
    ASSERT_TRUE(row.valid);
    EXPECT_EQ(KindText(row), "VBR");
    EXPECT_EQ(row.title, "Песня");
    EXPECT_EQ(row.genre, "");
}

}  // namespace
}  // namespace kestrune::mpeg
