// End to end with the real lame: a source with Cyrillic tags, a track number with the total,
// a comment, a cover picture and frames the list does not show, its title, artist and year
// edited in the tag editor. With "ID3v1" alone (as the program starts) and with both tag
// versions, the edits reach both tags and everything else of the source's tag is kept, as
// the program's own reading and mutagen, a reader of its own, both see. Under Wine there is
// no Python: the outputs made there are checked by the Linux build of this test (below).
#include "ID3v2/AttachedPicture.h"
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

#include <cstdlib>
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
for name in ("TIT2", "TPE1", "TALB", "TDRC", "TRCK", "TPE2", "TPOS"):
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

// Set, this names a folder for the outputs made under Wine: the Windows build writes them
// there, and the Linux build checks those files instead of making its own.
std::optional<std::string> WineOutputs() {
    const char* folder = std::getenv("KESTRUNE_WINE_TAG_OUTPUTS");
    return folder != nullptr && *folder != '\0' ? std::optional<std::string>(folder) : std::nullopt;
}

class TagCarryOverWithLameTest : public MainWindowFixture {
protected:
    TagCarryOverWithLameTest() : w(Build()) {}

    void SetUp() override {
        KESTRUNE_SKIP_WITHOUT_LAME();
        fs::create_directories(dir.Path() / "in");
        w.encoderPath = KESTRUNE_LAME;
        const std::string picture = dir.File("cover.png");
        test::WriteBytes(picture, cover);
        test::MakeMp3(source,
                      "-b 128 --add-id3v2 --tt \"Старое название\" --ta Исполнитель --tl Альбом "
                      "--ty 1988 --tg 17 --tn 5/12 --tv \"TPE2=Альбомный исполнитель\" "
                      "--tv TPOS=1/2 --tc " +
                          platform::QuoteArgument(kComment) + " --ti " +
                          platform::QuoteArgument(picture));
        AddSelection(w, {source});
        ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
        for (auto [field, text] :
             {std::pair{w.titleEdit, "Новое название"}, std::pair{w.artistEdit, "Кино"},
              std::pair{w.yearEdit, "1990"}}) {
            field->SetText("");
            driver.TypeText(*field, text);
        }
        ASSERT_TRUE(driver.Click(*w.saveButton));
    }

    // Runs into a folder of its own and answers the output.
    std::string Run(const std::string& folder) {
        fs::create_directories(dir.Path() / folder);
        driver.QueueFolderResult(dir.File(folder));
        EXPECT_TRUE(driver.Click(*w.compressButton));
        for (const auto& message : driver.ShownMessages()) {
            ADD_FAILURE() << message.text;
        }
        // The output alone: no picture or partial file is left beside it.
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path() / folder)) {
            names.push_back(test::Utf8Of(entry.path().filename()));
        }
        EXPECT_EQ(names, std::vector<std::string>{"Старое название.mp3"});
        return dir.File(folder + "/Старое название.mp3");
    }

    const Bytes cover = Cover();
    const std::string source = dir.File("in/Старое название.mp3");
    MainWindow& w;
};

TEST_F(TagCarryOverWithLameTest, EditsReachBothTagsAndTheRestOfTheSourcesTagIsKept) {
    const auto python = PythonWithMutagen();
    for (const bool bothVersions : {false, true}) {
        SCOPED_TRACE(bothVersions ? "ID3v1 and ID3v2" : "ID3v1 alone");
        if (bothVersions) {
            driver.Click(*w.id3v2Box);
        }
        const std::string variant = bothVersions ? "both" : "v1";
        const auto wineOutputs = WineOutputs();
#ifdef _WIN32
        const std::string output = Run(variant);
        if (wineOutputs) {
            fs::copy_file(test::PathOf(output), test::PathOf(*wineOutputs + "/" + variant + ".mp3"),
                          fs::copy_options::overwrite_existing);
        }
#else
        const std::string output =
            wineOutputs ? *wineOutputs + "/" + variant + ".mp3" : Run(variant);
#endif

        mpeg::MpegAudioInfo info;
        ASSERT_TRUE(info.ReadFromFile(output));
        for (const auto* tag : {&info.id3v1.title, &info.id3v2.title}) {
            EXPECT_EQ(*tag, "Новое название");
        }
        EXPECT_EQ(info.id3v1.artist, "Кино");
        EXPECT_EQ(info.id3v2.artist, "Кино");
        EXPECT_EQ(info.id3v1.year, "1990");
        EXPECT_EQ(info.id3v2.year, "1990");
        EXPECT_EQ(info.id3v1.album, "Альбом");
        EXPECT_EQ(info.id3v1.track, 5);
        EXPECT_EQ(info.id3v1.genreId, 17);
        EXPECT_EQ(info.id3v1.comment, "Recorded live in Moscow, 198");
        EXPECT_EQ(info.id3v2.trackText, "5/12");
        EXPECT_EQ(info.id3v2.comment, kComment);
        platform::File file = platform::File::OpenForReading(output);
        const auto picture = id3v2::ReadCoverPicture(file, 1 << 20);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->bytes, cover);

        if (python) {
            EXPECT_EQ(ReadWithMutagen(*python, output, dir.File("mutagen.png")),
                      std::string("Новое название\nКино\nАльбом\n1990\n5/12\nАльбомный "
                                  "исполнитель\n1/2\nRock\n") +
                          kComment + "\n");
            EXPECT_EQ(test::ReadBytes(dir.File("mutagen.png")), cover);
        }
    }
    if (!python) {
        GTEST_SKIP() << "python3 with mutagen is missing (Debian: python3-mutagen); only the "
                        "program's own reading was checked";
    }
}

}  // namespace
}  // namespace kestrune::unit1
