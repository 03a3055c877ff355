// The encoder's argument text: exact characters for ordinary rows, and one argument per
// field for hostile ones.
#include "Unit1/EncoderCommandLine.h"

#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune::unit1 {
namespace {

using platform::kPosixSeparators;
using platform::kWindowsSeparators;

EncoderRow SongRow() {
    return EncoderRow{.sourcePath = "/music/Song.MP3",
                      .title = "Title",
                      .artist = "Artist",
                      .album = "Album",
                      .year = "1999",
                      .genre = "17",
                      .outputName = "Song"};
}

constexpr const char* kOutputFile = "/out/Song.mp3.part";
constexpr const char* kPiece7 = " -e n-s --silent \"/music/Song.MP3\" \"/out/Song.mp3.part\"";

TEST(EncoderCommandLine, StereoConstantBitRateWithoutTagsHasNoTagOptions) {
    EncoderOptions options;
    options.tagV1 = false;
    EXPECT_EQ(BuildEncoderCommandLine(options, SongRow(), kOutputFile),
              std::string(" --mp3input --nohist  -m s -b 32") + kPiece7);
}

TEST(EncoderCommandLine, TagVersionsChooseTheClosingTagOption) {
    const std::string tags =
        " --tt \"Title\" --ta \"Artist\" --tl \"Album\" --ty \"1999\" --tg \"17\" ";
    const struct {
        bool tagV1;
        bool tagV2;
        const char* option;
    } cases[] = {
        {true, false, "--id3v1-only"},
        {false, true, "--id3v2-only"},
        {true, true, "--add-id3v2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        EncoderOptions options;
        options.mono = true;
        options.constantBitRate = false;
        options.variableBitRate = true;
        options.tagV1 = c.tagV1;
        options.tagV2 = c.tagV2;
        EXPECT_EQ(BuildEncoderCommandLine(options, SongRow(), kOutputFile),
                  " --mp3input --nohist  -m m -V 7" + tags + c.option + kPiece7);
    }
}

TEST(EncoderCommandLine, TrackCommentAndPictureFollowTheGenreWhenTheRowHasThem) {
    const std::string start =
        " --mp3input --nohist  -m s -b 32 --tt \"Title\" --ta \"Artist\" --tl \"Album\" "
        "--ty \"1999\" --tg \"17\" ";
    const struct {
        bool tagV1;
        bool tagV2;
        const char* track;
        const char* comment;
        const char* picture;
        const char* pieces;  // between the genre and the input
    } cases[] = {
        {true, true, "5/12", "Live", "/out/Song.mp3.cover",
         "--tn \"5/12\" --tc \"Live\" --ti \"/out/Song.mp3.cover\" --add-id3v2"},
        {true, false, "5/12", "Live", "/out/Song.mp3.cover",
         "--tn \"5/12\" --tc \"Live\" --id3v1-only"},  // an ID3v1 tag holds no picture
        {false, true, "", "", "/out/Обложка", "--ti \"/out/Обложка\" --id3v2-only"},
        {false, true, "", "Запись", "", "--tc \"Запись\" --id3v2-only"},
    };
    for (const auto& c : cases) {
        EncoderOptions options;
        options.tagV1 = c.tagV1;
        options.tagV2 = c.tagV2;
        EncoderRow row = SongRow();
        row.track = c.track;
        row.comment = c.comment;
        row.picturePath = c.picture;
        EXPECT_EQ(BuildEncoderCommandLine(options, row, kOutputFile), start + c.pieces + kPiece7);
        options.tagV1 = options.tagV2 = false;
        EXPECT_EQ(BuildEncoderCommandLine(options, row, kOutputFile),
                  std::string(" --mp3input --nohist  -m s -b 32") + kPiece7);
    }
}

TEST(EncoderCommandLine, EachSelectedRateModeContributesItsOption) {
    EncoderOptions options;
    options.tagV1 = false;
    options.variableBitRate = true;
    options.bitRateText = "256";
    options.vbrQuality = 0;
    EXPECT_EQ(BuildEncoderCommandLine(options, SongRow(), kOutputFile),
              std::string(" --mp3input --nohist  -m s -b 256 -V 0") + kPiece7);
}

TEST(EncoderCommandLine, EmptyValuesGiveTwoAdjacentQuotes) {
    EncoderRow row = SongRow();
    row.year.clear();
    row.genre.clear();
    const std::string line = BuildEncoderCommandLine(EncoderOptions{}, row, kOutputFile);
    EXPECT_NE(line.find(" --ty \"\" --tg \"\" --id3v1-only -e"), std::string::npos) << line;
}

TEST(EncoderCommandLine, OutputIsTheFolderTheNameAndLowerCaseMp3) {
    const struct {
        const char* folder;
        const char* outputName;
        platform::PathSeparators separators;
        const char* outputPath;
    } cases[] = {
        {"/out", "Song", kPosixSeparators, "/out/Song.mp3"},
        {"/out", "a.b", kPosixSeparators, "/out/a.b.mp3"},
        {"D:\\Сжатые", "Song", kWindowsSeparators, "D:\\Сжатые\\Song.mp3"},
        {"C:\\", "a.b", kWindowsSeparators, "C:\\\\a.b.mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outputPath);
        EXPECT_EQ(OutputPath(c.folder, c.outputName, c.separators), c.outputPath);
    }
}

TEST(EncoderCommandLine, HostileValuesStayOneArgumentEach) {
    const EncoderRow row{.sourcePath = "/in/\"quoted\"\\",
                         .title = "\" --foo \"",
                         .artist = "Back\\",
                         .album = "a\\\"b\\\\",
                         .year = "\" -o /etc/passwd",
                         .genre = "\\\\\"",
                         .outputName = "x\" \"y",
                         .track = "5\" --tn \"6",
                         .comment = std::string("Note\\\0\" --foo", 10),
                         .picturePath = "/out/x\" \"y.mp3.cover\\"};
    EncoderOptions options;
    options.tagV2 = true;
    const std::vector<std::string> expected{"lame",
                                            "--mp3input",
                                            "--nohist",
                                            "-m",
                                            "s",
                                            "-b",
                                            "32",
                                            "--tt",
                                            row.title,
                                            "--ta",
                                            row.artist,
                                            "--tl",
                                            row.album,
                                            "--ty",
                                            row.year,
                                            "--tg",
                                            row.genre,
                                            "--tn",
                                            row.track,
                                            "--tc",
                                            "Note\\",  // a command line ends a value at a zero byte
                                            "--ti",
                                            row.picturePath,
                                            "--add-id3v2",
                                            "-e",
                                            "n-s",
                                            "--silent",
                                            row.sourcePath,
                                            "/out\\/x\" \"y.mp3.part"};
    EXPECT_EQ(platform::SplitCommandLine(
                  FullEncoderCommandLine("lame", options, row, "/out\\/x\" \"y.mp3.part")),
              expected);
}

}  // namespace
}  // namespace kestrune::unit1
