// Picture frames: their parts in every frame form and text encoding, the choice of the cover
// among several, and frames that are cut short, too large or not stored as they are.
#include "ID3v2/AttachedPicture.h"

#include "platform/MemorySource.h"
#include "support/Id3Builders.h"

#include <gtest/gtest.h>

namespace kestrune::id3v2 {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::MakeId3v2Frame;
using test::MakeId3v2FrameHeader;
using test::MakeId3v2Tag;

const Bytes kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0xFF, 0};
const Bytes kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0};
const Bytes kAudio(500, 0xFF);

// Picture frame data; format is the MIME type, or in version 2 the three-letter format.
Bytes PictureData(std::uint8_t version, std::string_view format, std::uint8_t type,
                  const Bytes& picture, std::string_view description = "") {
    const Bytes formatBytes = version == 2 ? BytesOf(format) : Concat({BytesOf(format), {0}});
    return Concat({{0}, formatBytes, {type}, BytesOf(description), {0}, picture});
}

Bytes PictureFrame(std::uint8_t version, const Bytes& data, std::uint8_t flags = 0) {
    return MakeId3v2Frame(version, version == 2 ? "PIC" : "APIC", data, flags);
}

std::optional<AttachedPicture> ReadCover(const Bytes& file, std::uint64_t largestFrame = 1000) {
    platform::MemorySource source(file);
    return ReadCoverPicture(source, largestFrame);
}

std::optional<AttachedPicture> ReadCoverIn(std::uint8_t version, const Bytes& frames,
                                           std::uint8_t tagFlags = 0) {
    return ReadCover(Concat({MakeId3v2Tag(version, frames, 10, tagFlags), kAudio}));
}

TEST(AttachedPicture, ReadsFormatTypeDescriptionAndPictureInEachEncoding) {
    const struct {
        const char* what;
        Bytes data;
        FrameForm form;
        std::string format;
        std::string description;
    } cases[] = {
        {"version 2, three-letter format",
         Concat({{0}, BytesOf("PNG"), {3}, BytesOf("Cover"), {0}}), FrameForm::threeCharacterIds,
         "PNG", "Cover"},
        {"single-byte", Concat({{0}, BytesOf("image/png"), {0}, {3}, BytesOf("Front"), {0}}),
         FrameForm::fourCharacterIds, "image/png", "Front"},
        {"UTF-16 with mark",
         Concat({{1},
                 BytesOf("image/png"),
                 {0},
                 {3},
                 {0xFF, 0xFE},
                 test::Utf16LittleEndian(u"Обложка"),
                 {0, 0}}),
         FrameForm::fourCharacterIds, "image/png", "Обложка"},
        // The zero pair of "A\u0100" at an odd distance does not end the description.
        {"UTF-16BE",
         Concat({{2}, BytesOf("image/png"), {0}, {3}, test::Utf16BigEndian(u"\u0100A"), {0, 0}}),
         FrameForm::fourCharacterIds, "image/png", "\u0100A"},
        {"UTF-8", Concat({{3}, BytesOf("image/png"), {0}, {3}, BytesOf("Ёлка"), {0}}),
         FrameForm::fourCharacterIds, "image/png", "Ёлка"},
        {"empty format and description", Concat({{1}, {0}, {3}, {0, 0}}),
         FrameForm::fourCharacterIds, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto picture = ParseAttachedPicture(Concat({c.data, kPng}), c.form);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->format, c.format);
        EXPECT_EQ(picture->pictureType, kFrontCover);
        EXPECT_EQ(picture->description, c.description);
        EXPECT_EQ(picture->bytes, kPng);  // its zero and 0xFF bytes included
    }
}

TEST(AttachedPicture, DataEndingBeforeThePictureOrWithAnUnknownEncodingIsNoPicture) {
    const struct {
        const char* what;
        Bytes data;
        FrameForm form;
    } cases[] = {
        {"empty", {}, FrameForm::fourCharacterIds},
        {"encoding 4", Concat({{4}, BytesOf("image/png"), {0}, {3}, {0}}),
         FrameForm::fourCharacterIds},
        {"inside the MIME type", Concat({{0}, BytesOf("image/pn")}), FrameForm::fourCharacterIds},
        {"before the type", Concat({{0}, BytesOf("image/png"), {0}}), FrameForm::fourCharacterIds},
        {"inside the format", Concat({{0}, BytesOf("PN")}), FrameForm::threeCharacterIds},
        {"description without end", Concat({{0}, BytesOf("PNG"), {3}, BytesOf("Front")}),
         FrameForm::threeCharacterIds},
        {"UTF-16 description without end",
         Concat({{1}, BytesOf("image/png"), {0}, {3}, {0xFF, 0xFE, 'A', 0, 0}}),
         FrameForm::fourCharacterIds},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ParseAttachedPicture(c.data, c.form)) << c.what;
    }
}

TEST(AttachedPicture, CoverIsTheFirstFrontCoverElseTheFirstPictureInEachVersion) {
    for (const std::uint8_t version : {2, 3, 4}) {
        SCOPED_TRACE(int(version));
        const std::string_view png = version == 2 ? "PNG" : "image/png";
        const std::string_view jpeg = version == 2 ? "JPG" : "image/jpeg";
        const Bytes other = PictureFrame(version, PictureData(version, png, 0, kPng, "Other"));
        const Bytes back = PictureFrame(version, PictureData(version, png, 4, kPng, "Back"));
        const Bytes front = PictureFrame(version, PictureData(version, jpeg, 3, kJpeg, "Front"));
        const Bytes secondFront = PictureFrame(version, PictureData(version, png, 3, kPng, "2"));

        const auto cover = ReadCoverIn(version, Concat({other, back, front, secondFront}));
        ASSERT_TRUE(cover);
        EXPECT_EQ(cover->description, "Front");
        EXPECT_EQ(cover->format, jpeg);
        EXPECT_EQ(cover->bytes, kJpeg);

        const auto first = ReadCoverIn(version, Concat({back, other}));
        ASSERT_TRUE(first);
        EXPECT_EQ(first->description, "Back");
        EXPECT_EQ(first->bytes, kPng);
    }
}

TEST(AttachedPicture, NoCoverWithoutAReadablePictureFrame) {
    const Bytes front = PictureData(3, "image/png", 3, kPng);
    EXPECT_FALSE(ReadCover(kAudio));
    EXPECT_FALSE(ReadCoverIn(3, MakeId3v2Frame(3, "TIT2", test::LegacyTextData("Song"))));
    EXPECT_FALSE(ReadCoverIn(3, MakeId3v2Frame(3, "PIC", front)));  // a version 2 identifier
    EXPECT_FALSE(ReadCoverIn(2, MakeId3v2Frame(2, "API", front)));
    EXPECT_FALSE(ReadCoverIn(5, PictureFrame(3, front)));
    // The tag claims more than the file holds.
    Bytes tooLong = MakeId3v2Tag(3, PictureFrame(3, front));
    tooLong[8] = 0x7F;
    EXPECT_FALSE(ReadCover(tooLong));
}

TEST(AttachedPicture, CoverLargerThanTheBoundIsLeftOutWithoutFallingBackToASmallerPicture) {
    const Bytes front = PictureData(3, "image/png", 3, kPng);
    const Bytes small = PictureData(3, "image/png", 0, Bytes(kPng.begin(), kPng.begin() + 5));
    const Bytes file =
        Concat({MakeId3v2Tag(3, Concat({PictureFrame(3, small), PictureFrame(3, front)})), kAudio});
    EXPECT_TRUE(ReadCover(file, front.size()));
    EXPECT_FALSE(ReadCover(file, front.size() - 1));
}

// The bytes after a cut frame, up to the end of the tag and beyond, would complete it: they
// must not be read as part of it.
TEST(AttachedPicture, FrameCutShortIsNoPictureAndNothingPastItIsRead) {
    const Bytes whole = PictureData(3, "image/png", 3, kPng, "Front");
    for (const std::size_t cut : {std::size_t{1}, std::size_t{11}, std::size_t{15}}) {
        SCOPED_TRACE(cut);
        const Bytes head(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        const Bytes rest(whole.begin() + static_cast<std::ptrdiff_t>(cut), whole.end());
        EXPECT_FALSE(ReadCoverIn(3, Concat({PictureFrame(3, head), rest})));
    }
    // Declared longer than the tag: the rest lies in the audio that follows.
    const Bytes frame =
        Concat({MakeId3v2FrameHeader(3, "APIC", static_cast<std::uint32_t>(whole.size())),
                Bytes(whole.begin(), whole.end() - 4)});
    const Bytes file =
        Concat({MakeId3v2Tag(3, frame), Bytes(whole.end() - 4, whole.end()), kAudio});
    EXPECT_FALSE(ReadCover(file));
}

TEST(AttachedPicture, PictureNotStoredAsItIsIsLeftOut) {
    const struct {
        std::uint8_t version;
        std::uint8_t tagFlags;
        std::uint8_t frameFlags;
    } cases[] = {
        {2, 0x80, 0}, {2, 0x40, 0}, {3, 0x80, 0}, {4, 0x80, 0},  // unsynchronised, compressed tag
        {3, 0, 0x80}, {3, 0, 0x40}, {3, 0, 0x20},                // compressed, encrypted, grouped
        {4, 0, 0x40}, {4, 0, 0x08}, {4, 0, 0x04}, {4, 0, 0x02}, {4, 0, 0x01},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.version) << " " << int(c.tagFlags) << " " << int(c.frameFlags));
        const Bytes frame =
            PictureFrame(c.version, PictureData(c.version, "PNG", 3, kPng), c.frameFlags);
        EXPECT_FALSE(ReadCoverIn(c.version, frame, c.tagFlags));
    }
    // The flags that change nothing in the data: tag status flags, read-only.
    EXPECT_TRUE(ReadCoverIn(3, PictureFrame(3, PictureData(3, "image/png", 3, kPng), 0x1F)));
    EXPECT_TRUE(ReadCoverIn(4, PictureFrame(4, PictureData(4, "image/png", 3, kPng), 0xB0)));
}

}  // namespace
}  // namespace kestrune::id3v2
