// End to end with the real lame: a source with Cyrillic tags, a track number with the total,
// a comment and a cover picture keeps them all through a run, as the program's own analysis
// and mutagen, a reader of its own, both see; the picture file made for the encoder goes.
#include "ID3v2/AttachedPicture.h"
#include "MPEGaudio/FileListRow.h"
#include "MPEGaudio/MpegAudioInfo.h"
#include "MainWindowFixture.h"
#include "Unit1/BatchRun.h"
#include "Unit1/ListCommands.h"
#include "platform/CommandLine.h"
#include "platform/File.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/RunProgram.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace kestrune::unit1 {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

constexpr const char* kComment = "Recorded live in Moscow, 1988 — концерт";

// A cover lame takes as PNG by its first bytes; the readers do not decode it. Longer than
// a tag frame's first 500 bytes, with every byte value.
Bytes Cover() {
    Bytes cover = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (int i = 0; i < 600; ++i) {
        cover.push_back(static_cast<std::uint8_t>(i));
    }
    return cover;
}

// A Python 3 with mutagen: Debian's python3-mutagen serves the system's python3.
std::optional<std::string> PythonWithMutagen() {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        if (test::RunProgram(std::string(python) + " -c \"import mutagen.id3\"").status == 0) {
            return python;
        }
    }
    return std::nullopt;
}

// The ID3v2 tag as mutagen reads it, one item a line; the picture is written to picturePath.
std::string ReadWithMutagen(const std::string& python, const std::string& path,
                            const std::string& picturePath) {
    const std::string script = R"(
import sys, mutagen.id3
tag = mutagen.id3.ID3(sys.argv[1], load_v1=False)
for name in ("TIT2", "TPE1", "TALB", "TDRC", "TRCK"):
    print(tag[name].text[0])
print(tag["TCON"].genres[0])
print([c.text[0] for c in tag.getall("COMM") if c.desc == ""][0])
open(sys.argv[2], "wb").write(tag.getall("APIC")[0].data)
)";
    test::ScopedEnvironment environment;
    environment.Set("PYTHONIOENCODING", "utf-8");
    return test::RunProgram(platform::QuoteArgument(python) + " -c " +
                            platform::QuoteArgument(script) + " " + platform::QuoteArgument(path) +
                            " " + platform::QuoteArgument(picturePath))
        .output;
}

class TagCarryOverWithLameTest : public MainWindowFixture {
protected:
    TagCarryOverWithLameTest() : w(Build()) {
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
        w.encoderPath = KESTRUNE_LAME;
        const std::string picture = dir.File("cover.png");
        test::WriteBytes(picture, cover);
        test::MakeMp3(source,
                      "-b 128 --add-id3v2 --tt Песня --ta Исполнитель --tl Альбом "
                      "--ty 1988 --tg 17 --tn 5/12 --tc " +
                          platform::QuoteArgument(kComment) + " --ti " +
                          platform::QuoteArgument(picture));
        AddSelection(w, {source});
    }

    void Run() {
        driver.QueueFolderResult(dir.File("out"));
        ASSERT_TRUE(driver.Click(*w.compressButton));
        for (const auto& message : driver.ShownMessages()) {
            ADD_FAILURE() << message.text;
        }
        // The output alone: no picture file is left beside it.
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path() / "out")) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{"Песня.mp3"});
    }

    const Bytes cover = Cover();
    const std::string source = dir.File("in/Песня.mp3");
    const std::string output = dir.File("out/Песня.mp3");
    MainWindow& w;
};

TEST_F(TagCarryOverWithLameTest, BothTagVersionsKeepTrackCommentAndCover) {
    driver.Click(*w.id3v2Box);
    Run();

    const mpeg::FileListRow row = mpeg::ReadFileListRow(output);
    EXPECT_EQ(row.title, "Песня");
    EXPECT_EQ(row.artist, "Исполнитель");
    EXPECT_EQ(row.album, "Альбом");
    EXPECT_EQ(row.year, "1988");
    EXPECT_EQ(row.genre, "17");
    EXPECT_EQ(row.track, "5/12");
    EXPECT_EQ(row.comment, kComment);
    platform::File file = platform::File::OpenForReading(output);
    const auto picture = id3v2::ReadCoverPicture(file, 1 << 20);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bytes, cover);

    const auto python = PythonWithMutagen();
    if (!python) {
        GTEST_SKIP() << "python3 with mutagen is missing (Debian: python3-mutagen); only the "
                        "program's own reading was checked";
    }
    EXPECT_EQ(ReadWithMutagen(*python, output, dir.File("mutagen.png")),
              std::string("Песня\nИсполнитель\nАльбом\n1988\n5/12\nRock\n") + kComment + "\n");
    EXPECT_EQ(test::ReadBytes(dir.File("mutagen.png")), cover);
}

// What lame makes of them in an ID3v1 tag: the track byte of ID3v1.1, the comment cut to its
// 28 characters and "?" for every Cyrillic letter. (Without an ID3v2 tag of its own to write,
// lame copies the source's as it stands.)
TEST_F(TagCarryOverWithLameTest, Id3v1OnlyKeepsTrackAndCommentAsTheTagCan) {
    Run();
    mpeg::MpegAudioInfo info;
    ASSERT_TRUE(info.ReadFromFile(output));
    EXPECT_EQ(info.id3v1.title, "?????");
    EXPECT_EQ(info.id3v1.version, 2);
    EXPECT_EQ(info.id3v1.track, 5);
    EXPECT_EQ(info.id3v1.comment, "Recorded live in Moscow, 198");
    EXPECT_EQ(info.id3v1.genreId, 17);
}

}  // namespace
}  // namespace kestrune::unit1
