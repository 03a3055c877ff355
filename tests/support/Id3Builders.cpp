// The ID3 byte builders.
#include "support/Id3Builders.h"

#include <algorithm>

namespace kestrune::test {

namespace {

void PutText(Bytes& tag, std::size_t offset, std::size_t length, std::string_view text) {
    const std::size_t count = std::min(length, text.size());
    std::copy_n(text.begin(), count, tag.begin() + static_cast<std::ptrdiff_t>(offset));
}

void AppendBigEndian(Bytes& bytes, std::uint32_t value, int byteCount, int bitsPerByte) {
    const std::uint32_t mask = (1u << bitsPerByte) - 1;
    for (int i = byteCount - 1; i >= 0; --i) {
        bytes.push_back(static_cast<std::uint8_t>((value >> (i * bitsPerByte)) & mask));
    }
}

}  // namespace

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes MakeId3v1Tag(const Id3v1Fields& fields) {
    Bytes tag(128, 0);
    PutText(tag, 0, 3, "TAG");
    PutText(tag, 3, 30, fields.title);
    PutText(tag, 33, 30, fields.artist);
    PutText(tag, 63, 30, fields.album);
    PutText(tag, 93, 4, fields.year);
    PutText(tag, 97, fields.track ? 28 : 30, fields.comment);
    if (fields.track) {
        tag[125] = 0;
        tag[126] = *fields.track;
    }
    tag[127] = fields.genre;
    return tag;
}

Bytes Utf16LittleEndian(std::u16string_view units) {
    Bytes bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

Bytes Utf16BigEndian(std::u16string_view units) {
    Bytes bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    }
    return bytes;
}

Bytes TextData(std::uint8_t encoding, const Bytes& text) {
    return Concat({{encoding}, text});
}

Bytes LegacyTextData(std::string_view text) {
    return TextData(0, BytesOf(text));
}

Bytes Utf16TextData(std::u16string_view units) {
    return TextData(1, Concat({{0xFF, 0xFE}, Utf16LittleEndian(units)}));
}

Bytes MakeId3v2Header(std::uint8_t version, std::uint32_t bodySize, std::uint8_t flags) {
    Bytes header = {'I', 'D', '3', version, 0, flags};
    AppendBigEndian(header, bodySize, 4, 7);
    return header;
}

Bytes MakeId3v2FrameHeader(std::uint8_t version, std::string_view id, std::uint32_t dataSize,
                           std::uint8_t formatFlags) {
    Bytes header = BytesOf(id);
    if (version == 2) {
        AppendBigEndian(header, dataSize, 3, 8);
        return header;
    }
    AppendBigEndian(header, dataSize, 4, version == 4 ? 7 : 8);
    header.push_back(0);
    header.push_back(formatFlags);
    return header;
}

Bytes MakeId3v2Frame(std::uint8_t version, std::string_view id, const Bytes& data,
                     std::uint8_t formatFlags) {
    return Concat(
        {MakeId3v2FrameHeader(version, id, static_cast<std::uint32_t>(data.size()), formatFlags),
         data});
}

Bytes MakeId3v2Tag(std::uint8_t version, const Bytes& frames, std::size_t padding,
                   std::uint8_t flags) {
    return Concat(
        {MakeId3v2Header(version, static_cast<std::uint32_t>(frames.size() + padding), flags),
         frames, Bytes(padding, 0)});
}

}  // namespace kestrune::test
