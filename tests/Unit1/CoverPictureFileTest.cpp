// The cover picture file beside the output: which pictures the encoder takes, when the file
// is made, that it never writes over a file, and that it goes when the object goes.
#include "Unit1/CoverPictureFile.h"

#include "platform/File.h"
#include "support/Id3Builders.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kestrune::unit1 {
namespace {

using test::Bytes;

const Bytes kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0xFF};

TEST(CoverPictureFile, EncoderTakesJpegPngAndGifByTheirFirstBytes) {
    const struct {
        Bytes bytes;
        bool taken;
    } cases[] = {
        {{0xFF, 0xD8, 0xFF}, true},
        {{0xFF, 0xD8}, false},  // the encoder wants more than the mark
        {{0x89, 'P', 'N', 'G', 0}, true},
        {{0x89, 'P', 'N', 'G'}, false},
        {{'G', 'I', 'F', '8', '9'}, true},
        {{'G', 'I', 'F', '8'}, false},
        {{'B', 'M', 0, 0, 0, 0}, false},
        {{0xFF, 0xD9, 0xFF}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncoderTakesPicture(c.bytes), c.taken) << c.bytes.size();
    }
}

class CoverPictureFileTest : public ::testing::Test {
protected:
    // A source whose ID3v2 tag holds one front cover with these bytes.
    std::string Source(const std::string& name, const Bytes& picture) {
        const Bytes data = test::Concat({{0}, test::BytesOf("image/png"), {0, 3, 0}, picture});
        const std::string path = dir.File(name);
        test::WriteBytes(path,
                         test::Concat({test::MakeId3v2Tag(3, test::MakeId3v2Frame(3, "APIC", data)),
                                       test::Frames(test::kMpeg1Layer3At128, 5)}));
        return path;
    }

    test::TempDir dir;
    const std::string output = dir.File("Песня (2).mp3");
    EncoderOptions withId3v2 = [] {
        EncoderOptions options;
        options.tagV2 = true;
        return options;
    }();
};

TEST_F(CoverPictureFileTest, WritesTheCoverBesideTheOutputAndDeletesItWhenItGoes) {
    const std::string source = Source("Песня.mp3", kPng);
    {
        const CoverPictureFile cover(withId3v2, source, output);
        EXPECT_EQ(cover.Path(), output + ".cover");
        EXPECT_EQ(test::ReadBytes(cover.Path()), kPng);
    }
    EXPECT_FALSE(platform::IsExistingFile(output + ".cover"));
}

TEST_F(CoverPictureFileTest, NoFileWithoutAPictureTheOptionsAndTheEncoderTake) {
    EncoderOptions id3v1Only;
    EncoderOptions noTags;
    noTags.tagV1 = false;
    const struct {
        const char* what;
        EncoderOptions options;
        std::string source;
    } cases[] = {
        {"ID3v1 only", id3v1Only, Source("png.mp3", kPng)},
        {"no tags", noTags, Source("png.mp3", kPng)},
        {"a bitmap", withId3v2, Source("bmp.mp3", {'B', 'M', 0, 0, 0, 0})},
        {"no picture", withId3v2, dir.File("missing.mp3")},
    };
    for (const auto& c : cases) {
        const CoverPictureFile cover(c.options, c.source, output);
        EXPECT_EQ(cover.Path(), "") << c.what;
        EXPECT_FALSE(platform::IsExistingFile(output + ".cover")) << c.what;
    }
}

TEST_F(CoverPictureFileTest, FileOfTheSameNameIsNeverWrittenOverOrDeleted) {
    const std::string source = Source("Песня.mp3", kPng);
    test::WriteBytes(output + ".cover", {'m', 'i', 'n', 'e'});
    {
        const CoverPictureFile cover(withId3v2, source, output);
        EXPECT_EQ(cover.Path(), output + ".cover2");
        EXPECT_EQ(test::ReadBytes(cover.Path()), kPng);
    }
    EXPECT_EQ(test::ReadBytes(output + ".cover"), (Bytes{'m', 'i', 'n', 'e'}));
    EXPECT_FALSE(platform::IsExistingFile(output + ".cover2"));

    const CoverPictureFile nowhere(withId3v2, source, dir.File("missing/out.mp3"));
    EXPECT_EQ(nowhere.Path(), "");
}

}  // namespace
}  // namespace kestrune::unit1
