// The cover picture file beside the output: which pictures the encoder takes, when the file
// is made, that it never writes over a file, and that it goes when the object goes.
#include "Unit1/CoverPictureFile.h"

#include "platform/File.h"
#include "platform/Paths.h"
#include "support/Id3Builders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kestrune::unit1 {
namespace {

using test::Bytes;

const Bytes kPng = {0x89, 'P', 'N', 'G', 0, 0xFF};

TEST(CoverPictureFile, EncoderTakesJpegPngAndGifByTheirFirstBytesOnly) {
    for (const auto& [bytes, taken] : std::initializer_list<std::pair<Bytes, bool>>{
             {{0xFF, 0xD8, 0xFF}, true},
             {{0xFF, 0xD8}, false},  // the encoder wants more than the mark
             {{0x89, 'P', 'N', 'G', 0}, true},
             {{0x89, 'P', 'N', 'G'}, false},
             {{'G', 'I', 'F', '8', '9'}, true},
             {{'G', 'I', 'F', '8'}, false},
             {{'B', 'M', 0, 0, 0, 0}, false},
             {{}, false},
         }) {
        EXPECT_EQ(EncoderTakesPicture(bytes), taken) << bytes.size();
    }
}

class CoverPictureFileTest : public ::testing::Test {
protected:
    // A source whose ID3v2 tag holds one front cover with these bytes.
    std::string Source(const std::string& name, const Bytes& picture) const {
        const Bytes data = test::Concat({{0}, test::BytesOf("image/png"), {0, 3, 0}, picture});
        test::WriteBytes(dir.File(name),
                         test::MakeId3v2Tag(3, test::MakeId3v2Frame(3, "APIC", data), 100));
        return dir.File(name);
    }

    test::TempDir dir;
    const EncoderOptions id3v1Only{};
    const EncoderOptions withId3v2{.tagV2 = true};
};

// The cover gets a short name of the program's own in the output folder, never a user's
// file, and goes with the object.
TEST_F(CoverPictureFileTest, WritesTheCoverUnderANameOfItsOwnAndDeletesItAfter) {
    const std::string source = Source("Песня.mp3", kPng);
    const std::string usersFile = dir.File("Песня.mp3.cover");
    test::WriteBytes(usersFile, {'m', 'i', 'n', 'e'});
    std::string path;
    {
        const CoverPictureFile cover(withId3v2, source, dir.File(""));
        path = cover.Path();
        EXPECT_EQ(platform::FolderOf(path), platform::FolderOf(usersFile));
        EXPECT_TRUE(platform::FileNameOf(path).starts_with(".kestrune-")) << path;
        EXPECT_TRUE(path.ends_with(".cover")) << path;
        EXPECT_EQ(test::ReadBytes(path), kPng);
    }
    EXPECT_FALSE(platform::IsExistingFile(path));
    EXPECT_EQ(test::ReadBytes(usersFile), (Bytes{'m', 'i', 'n', 'e'}));
}

TEST_F(CoverPictureFileTest, NoFileWithoutAPictureTheOptionsAndTheEncoderTake) {
    const struct {
        const char* what;
        const EncoderOptions& options;
        std::string source;
        std::string folder;
    } cases[] = {
        {"ID3v1 only", id3v1Only, Source("png.mp3", kPng), dir.File("")},
        {"a bitmap", withId3v2, Source("bmp.mp3", {'B', 'M', 0, 0, 0, 0}), dir.File("")},
        {"no source", withId3v2, dir.File("missing.mp3"), dir.File("")},
        {"no output folder", withId3v2, Source("png.mp3", kPng), dir.File("missing")},
    };
    for (const auto& c : cases) {
        const CoverPictureFile cover(c.options, c.source, c.folder);
        EXPECT_EQ(cover.Path(), "") << c.what;
    }
}

}  // namespace
}  // namespace kestrune::unit1
