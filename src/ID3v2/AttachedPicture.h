// The pictures of an ID3v2 tag (frames "APIC", in version 2 "PIC"): the cover a re-encoded
// file carries over. Never fails loudly: a tag without a readable picture has no cover.
#pragma once

#include "ID3v2/FrameIdTable.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::id3v2 {

inline constexpr std::uint8_t kFrontCover = 3;

struct AttachedPicture {
    std::string format;  // a MIME type such as "image/png"; in version 2 "PNG", "JPG" and the like
    std::uint8_t pictureType = 0;  // 3: the front cover
    std::string description;       // UTF-8
    std::vector<std::uint8_t> bytes;
};

// The picture in a picture frame's data: encoding, MIME type ended by a zero byte (version 2:
// three letters), picture type, description ended by its terminator, then the picture.
// Nothing when the data ends before the picture or names an unknown text encoding.
std::optional<AttachedPicture> ParseAttachedPicture(std::vector<std::uint8_t> data, FrameForm form);

// The tag's first front cover, or its first picture when none is a front cover, read whole.
// Nothing when the tag has no picture, or the chosen one is larger than largestFrame bytes,
// runs past the end of the tag, or is not stored as it is (unsynchronised, compressed,
// encrypted, grouped or behind a data length).
std::optional<AttachedPicture> ReadCoverPicture(platform::ByteSource& source,
                                                std::uint64_t largestFrame);

}  // namespace kestrune::id3v2
