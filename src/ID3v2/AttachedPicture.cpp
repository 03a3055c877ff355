// Picture frames are chosen by the head of their data, read in a bounded first read; only
// the chosen frame is read whole, once its size is known to fit, so nothing is read past it
// and nothing is allocated beyond the frame, the tag or the caller's bound.
#include "ID3v2/AttachedPicture.h"

#include "ID3v2/FrameScan.h"
#include "ID3v2/Id3v2Tag.h"
#include "ID3v2/Id3v2Text.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace kestrune::id3v2 {

namespace {

constexpr std::size_t kImageFormatLength = 3;  // version 2: "JPG", "PNG", ...
// Header flags under which the frames are not stored as they are: unsynchronisation in
// every version; in version 2 also compression, for which no method was ever defined.
constexpr std::uint8_t kUnsynchronisedTag = 0x80;
constexpr std::uint8_t kCompressedVersion2Tag = 0x40;
// Second frame flag byte, the bits that change the data or put bytes before it. Version 3:
// compression, encryption, grouping. Version 4: grouping, compression, encryption,
// unsynchronisation, data length.
constexpr std::uint8_t kAlteredDataVersion3 = 0xE0;
constexpr std::uint8_t kAlteredDataVersion4 = 0x4F;

// What stands before the description.
struct PictureHead {
    std::uint8_t encoding = 0;
    std::string format;
    std::uint8_t pictureType = 0;
    std::size_t descriptionStart = 0;
};

std::optional<PictureHead> ReadHead(std::span<const std::uint8_t> data, FrameForm form) {
    if (data.empty() || !IsKnownTextEncoding(data[0])) {
        return std::nullopt;
    }
    const auto rest = data.subspan(1);
    std::size_t formatLength = kImageFormatLength;
    std::size_t typeAt = kImageFormatLength;
    if (form == FrameForm::fourCharacterIds) {
        formatLength =
            static_cast<std::size_t>(std::find(rest.begin(), rest.end(), 0) - rest.begin());
        typeAt = formatLength + 1;  // behind the zero byte
    }
    if (typeAt >= rest.size()) {
        return std::nullopt;
    }
    return PictureHead{.encoding = data[0],
                       .format = DecodeEncodedText(0, rest.first(formatLength)),
                       .pictureType = rest[typeAt],
                       .descriptionStart = 1 + typeAt + 1};
}

// Where a picture frame's data lies in the source.
struct PictureFrame {
    std::int64_t dataStart = 0;
    std::uint64_t dataSize = 0;
    std::uint64_t dataInTag = 0;
};

}  // namespace

std::optional<AttachedPicture> ParseAttachedPicture(std::vector<std::uint8_t> data,
                                                    FrameForm form) {
    const auto head = ReadHead(data, form);
    if (!head) {
        return std::nullopt;
    }
    const auto description = std::span(data).subspan(head->descriptionStart);
    const auto end = DescriptionEnd(head->encoding, description);
    if (!end) {
        return std::nullopt;
    }
    AttachedPicture picture{
        .format = head->format,
        .pictureType = head->pictureType,
        .description = DecodeEncodedText(head->encoding, description.first(*end)),
        .bytes = {},
    };
    // The picture keeps the frame's buffer, so even a picture of hundreds of megabytes is
    // held only once.
    data.erase(data.begin(),
               data.begin() + static_cast<std::ptrdiff_t>(head->descriptionStart + *end));
    picture.bytes = std::move(data);
    return picture;
}

std::optional<AttachedPicture> ReadCoverPicture(platform::ByteSource& source,
                                                std::uint64_t largestFrame) {
    Id3v2Tag tag;
    if (!tag.ReadFrom(source) || tag.size == 0 || tag.version < 2 || tag.version > 4) {
        return std::nullopt;
    }
    const std::uint8_t unstoredTag =
        kUnsynchronisedTag | (tag.version == 2 ? kCompressedVersion2Tag : 0);
    if ((tag.flags & unstoredTag) != 0) {
        return std::nullopt;
    }
    const FrameForm form = FrameFormOf(tag.version);
    const std::string_view pictureId = form == FrameForm::fourCharacterIds ? "APIC" : "PIC";
    const std::uint8_t alteredData =
        tag.version == 4 ? kAlteredDataVersion4 : (tag.version == 3 ? kAlteredDataVersion3 : 0);

    std::optional<PictureFrame> chosen;
    WalkFrames(source, tag.version, tag.size, [&](const FrameHeader& frame) {
        if (frame.id != pictureId || (frame.formatFlags & alteredData) != 0) {
            return true;
        }
        std::array<std::uint8_t, kFrameBufferSize> start{};
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(frame.dataInTag, start.size()));
        const auto read = source.ReadAt(frame.dataStart, std::span(start).first(wanted));
        if (!read) {
            return false;
        }
        const auto head = ReadHead(std::span(start).first(*read), form);
        if (!head) {
            return true;
        }
        const bool frontCover = head->pictureType == kFrontCover;
        if (!chosen || frontCover) {
            chosen = PictureFrame{frame.dataStart, frame.dataSize, frame.dataInTag};
        }
        return !frontCover;
    });

    if (!chosen || chosen->dataSize > largestFrame || chosen->dataInTag < chosen->dataSize) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(chosen->dataSize));
    const auto read = source.ReadAt(chosen->dataStart, data);
    if (!read || *read < data.size()) {
        return std::nullopt;
    }
    return ParseAttachedPicture(std::move(data), form);
}

}  // namespace kestrune::id3v2
