// Picture frames: their parts in every frame form and text encoding, the choice of the cover
// among several, and frames cut short, too large or not stored as they are.
#include "ID3v2/AttachedPicture.h"

#include "platform/MemorySource.h"
#include "support/Id3Builders.h"

#include <gtest/gtest.h>

namespace kestrune::id3v2 {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;

const Bytes kPng = {0x89, 'P', 'N', 'G', 0, 0xFF, 0};
const Bytes kMime = Concat({BytesOf("image/png"), {0}});
constexpr auto kV2 = FrameForm::threeCharacterIds;
constexpr auto kV34 = FrameForm::fourCharacterIds;

// A file whose tag holds picture frames of the given version, each with its type and picture.
Bytes TagWithPictures(std::uint8_t version, std::initializer_list<std::pair<int, Bytes>> pictures,
                      std::uint8_t tagFlags = 0, std::uint8_t frameFlags = 0) {
    Bytes frames;
    for (const auto& [type, picture] : pictures) {
        const Bytes format = version == 2 ? BytesOf("PNG") : kMime;
        const Bytes data = Concat({{0},
                                   format,
                                   {static_cast<std::uint8_t>(type)},
                                   BytesOf(std::to_string(type)),
                                   {0},
                                   picture});
        frames = Concat({frames, test::MakeId3v2Frame(version, version == 2 ? "PIC" : "APIC", data,
                                                      frameFlags)});
    }
    return Concat({test::MakeId3v2Tag(version, frames, 10, tagFlags), Bytes(100, 0xFF)});
}

std::optional<AttachedPicture> ReadCover(const Bytes& file, std::uint64_t largestFrame = 100) {
    platform::MemorySource source(file);
    return ReadCoverPicture(source, largestFrame);
}

TEST(AttachedPicture, ReadsFormatTypeDescriptionAndPictureInEachEncoding) {
    const struct {
        Bytes head;  // up to the picture
        FrameForm form;
        std::string format;
        std::string description;
    } cases[] = {
        {Concat({{0}, BytesOf("JPG"), {3}, BytesOf("Front"), {0}}), kV2, "JPG", "Front"},
        {Concat({{1}, kMime, {3}, {0xFF, 0xFE}, test::Utf16LittleEndian(u"Обложка"), {0, 0}}), kV34,
         "image/png", "Обложка"},
        // The zero pair inside U+0100 A at an odd distance does not end the description.
        {Concat({{2}, kMime, {3}, test::Utf16BigEndian(u"\u0100A"), {0, 0}}), kV34, "image/png",
         "\u0100A"},
        {Concat({{3}, kMime, {3}, BytesOf("Ёлка"), {0}}), kV34, "image/png", "Ёлка"},
        {Concat({{1}, {0}, {3}, {0, 0}}), kV34, "", ""},
    };
    for (const auto& c : cases) {
        const auto picture = ParseAttachedPicture(Concat({c.head, kPng}), c.form);
        ASSERT_TRUE(picture) << c.format;
        EXPECT_EQ(picture->format, c.format);
        EXPECT_EQ(picture->pictureType, kFrontCover);
        EXPECT_EQ(picture->description, c.description);
        EXPECT_EQ(picture->bytes, kPng);
    }
}

TEST(AttachedPicture, DataEndingBeforeThePictureOrWithAnUnknownEncodingIsNoPicture) {
    for (const auto& [data, form] : std::initializer_list<std::pair<Bytes, FrameForm>>{
             {{}, kV34},
             {Concat({{4}, kMime, {3}, {0}}), kV34},                       // encoding 4
             {Concat({{0}, BytesOf("image/pn")}), kV34},                   // inside the MIME type
             {Concat({{0}, kMime}), kV34},                                 // before the type
             {Concat({{0}, BytesOf("PN")}), kV2},                          // inside the format
             {Concat({{0}, BytesOf("PNG"), {3}, BytesOf("Front")}), kV2},  // no terminator
             {Concat({{1}, kMime, {3}, {0xFF, 0xFE, 'A', 0, 0}}), kV34},   // nor here
         }) {
        EXPECT_FALSE(ParseAttachedPicture(data, form)) << data.size();
    }
}

TEST(AttachedPicture, CoverIsTheFirstFrontCoverElseTheFirstPictureInEachVersion) {
    for (const std::uint8_t version : {2, 3, 4}) {
        const auto cover =
            ReadCover(TagWithPictures(version, {{0, {1}}, {4, {2}}, {3, kPng}, {3, {3}}}));
        ASSERT_TRUE(cover) << int(version);
        EXPECT_EQ(cover->description, "3");
        EXPECT_EQ(cover->bytes, kPng);
        EXPECT_EQ(ReadCover(TagWithPictures(version, {{4, kPng}, {0, {1}}}))->description, "4");
    }
}

TEST(AttachedPicture, CoverCutShortTooLargeOrNotStoredAsItIsIsLeftOut) {
    const Bytes good = TagWithPictures(3, {{0, {1}}, {3, kPng}});
    const std::size_t frameSize = 1 + kMime.size() + 1 + 2 + kPng.size();
    EXPECT_TRUE(ReadCover(good, frameSize));
    EXPECT_FALSE(ReadCover(good, frameSize - 1));  // nor is the smaller picture taken instead

    // The tag ends four bytes into the picture; the rest would complete it.
    Bytes cut = good;
    cut[9] = static_cast<std::uint8_t>(cut[9] - 10 - 4);
    EXPECT_FALSE(ReadCover(cut));

    const struct {
        std::uint8_t version;
        std::uint8_t tagFlags;
        std::uint8_t frameFlags;
    } unstored[] = {
        {2, 0x40, 0},  // a compressed tag
        {3, 0x80, 0},  // an unsynchronised tag
        {3, 0, 0x80},  // compressed
        {3, 0, 0x20},  // grouped
        {4, 0, 0x02},  // unsynchronised
        {4, 0, 0x01},  // behind a data length
    };
    for (const auto& c : unstored) {
        EXPECT_FALSE(ReadCover(TagWithPictures(c.version, {{3, kPng}}, c.tagFlags, c.frameFlags)))
            << int(c.version) << " " << int(c.tagFlags) << " " << int(c.frameFlags);
    }
    EXPECT_TRUE(ReadCover(TagWithPictures(3, {{3, kPng}}, 0, 0x1F)));  // flags that change nothing
    EXPECT_TRUE(ReadCover(TagWithPictures(4, {{3, kPng}}, 0, 0xB0)));
    EXPECT_FALSE(ReadCover(Bytes(100, 0xFF)));
}

}  // namespace
}  // namespace kestrune::id3v2
