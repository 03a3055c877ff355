// Byte builders for ID3 tags in tests: a 128-byte ID3v1 tag from its fields, and ID3v2
// tag headers, frame headers, frames and frame data for tag versions 2, 3 and 4.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::test {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a text as they stand (raw single-byte or UTF-8 text).
Bytes BytesOf(std::string_view text);
Bytes Concat(std::initializer_list<Bytes> parts);

struct Id3v1Fields {
    std::string title = {};  // raw bytes, cut to their area, padded with zero bytes
    std::string artist = {};
    std::string album = {};
    std::string year = {};
    std::string comment = {};                // up to 30 bytes, or 28 with a track number
    std::optional<std::uint8_t> track = {};  // written as ID3v1.1: a zero byte, then the track
    std::uint8_t genre = 255;
};

// The 128 bytes of an ID3v1 tag: "TAG" and the fields.
Bytes MakeId3v1Tag(const Id3v1Fields& fields);

// UTF-16 code units as bytes, without a byte-order mark.
Bytes Utf16LittleEndian(std::u16string_view units);
Bytes Utf16BigEndian(std::u16string_view units);

// Text frame data: the encoding byte, then the text bytes.
Bytes TextData(std::uint8_t encoding, const Bytes& text);
// Encoding 0 with raw single-byte text.
Bytes LegacyTextData(std::string_view text);
// Encoding 1: byte-order mark FF FE, then little-endian units.
Bytes Utf16TextData(std::u16string_view units);

// The 10-byte tag header; the size bytes hold bodySize in seven bits each.
Bytes MakeId3v2Header(std::uint8_t version, std::uint32_t bodySize, std::uint8_t flags = 0);

// A frame header in the form of the tag version: 6 bytes for version 2 (24-bit size), 10
// bytes for versions 3 (32-bit size) and 4 (seven bits per size byte).
Bytes MakeId3v2FrameHeader(std::uint8_t version, std::string_view id, std::uint32_t dataSize,
                           std::uint8_t formatFlags = 0);

// A frame header declaring the data's size, followed by the data.
Bytes MakeId3v2Frame(std::uint8_t version, std::string_view id, const Bytes& data,
                     std::uint8_t formatFlags = 0);

// A whole tag: header, the frames as given, then padding zero bytes.
Bytes MakeId3v2Tag(std::uint8_t version, const Bytes& frames, std::size_t padding = 0,
                   std::uint8_t flags = 0);

}  // namespace kestrune::test
