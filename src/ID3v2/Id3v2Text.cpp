// Text decoding of ID3v2 frame data. Single-byte text is trimmed on its raw bytes before it
// is decoded from the legacy code page; Unicode text is trimmed after decoding.
#include "ID3v2/Id3v2Text.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <string_view>

namespace kestrune::id3v2 {

namespace {

enum Encoding : std::uint8_t { kLegacy = 0, kUtf16WithMark = 1, kUtf16BigEndian = 2, kUtf8 = 3 };

constexpr std::size_t kLanguageLength = 3;

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Removes characters of code 0 to 32 at both ends. In UTF-8 these are single bytes that
// never occur inside a longer sequence, so this works on raw and on decoded text alike.
std::string_view TrimControls(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// UTF-16 up to the first zero unit. A leading byte-order mark chooses the byte order and is
// dropped; without one the given default order holds.
std::string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::size_t at = 0;
    if (bytes.size() >= 2) {
        if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
            bigEndian = false;
            at = 2;
        } else if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
            bigEndian = true;
            at = 2;
        }
    }
    std::u16string units;
    for (; at + 1 < bytes.size(); at += 2) {
        const auto high = bigEndian ? bytes[at] : bytes[at + 1];
        const auto low = bigEndian ? bytes[at + 1] : bytes[at];
        const auto unit = static_cast<char16_t>(high << 8 | low);
        if (unit == 0) {
            break;
        }
        units.push_back(unit);
    }
    return std::string(TrimControls(platform::Utf16ToUtf8(units)));
}

// Decodes what follows the description, or all of it when the description has no terminator;
// headerLength counts the encoding byte and what stands between it and the description.
std::string DecodeDescribedText(std::span<const std::uint8_t> data, std::size_t headerLength) {
    if (data.empty()) {
        return {};
    }
    const std::uint8_t encoding = data[0];
    const auto description = data.subspan(std::min(headerLength, data.size()));
    return DecodeEncodedText(
        encoding, description.subspan(DescriptionEnd(encoding, description).value_or(0)));
}

}  // namespace

std::string DecodeEncodedText(std::uint8_t encoding, std::span<const std::uint8_t> text) {
    switch (encoding) {
        case kUtf16WithMark:
            return DecodeUtf16(text, false);
        case kUtf16BigEndian:
            return DecodeUtf16(text, true);
        case kUtf8:
            return std::string(TrimControls(platform::SanitiseUtf8(AsChars(text))));
        default:
            return platform::LegacyToUtf8(TrimControls(AsChars(text)));
    }
}

std::optional<std::size_t> DescriptionEnd(std::uint8_t encoding,
                                          std::span<const std::uint8_t> description) {
    if (encoding == kUtf16WithMark || encoding == kUtf16BigEndian) {
        for (std::size_t at = 0; at + 1 < description.size(); at += 2) {
            if (description[at] == 0 && description[at + 1] == 0) {
                return at + 2;
            }
        }
        return std::nullopt;
    }
    const auto zero = std::find(description.begin(), description.end(), 0);
    if (zero == description.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(zero - description.begin()) + 1;
}

bool IsKnownTextEncoding(std::uint8_t encoding) {
    return encoding <= kUtf8;
}

std::string DecodeText(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return {};
    }
    return DecodeEncodedText(data[0], data.subspan(1));
}

std::string DecodeCommentText(std::span<const std::uint8_t> data) {
    return DecodeDescribedText(data, 1 + kLanguageLength);
}

bool IsPlainComment(std::span<const std::uint8_t> data) {
    if (data.size() <= 1 + kLanguageLength) {
        return false;
    }
    const std::uint8_t encoding = data[0];
    const auto description = data.subspan(1 + kLanguageLength);
    const std::size_t terminator =
        encoding == kUtf16WithMark || encoding == kUtf16BigEndian ? 2 : 1;
    const std::size_t length =
        DescriptionEnd(encoding, description).value_or(description.size() + terminator) -
        terminator;
    return DecodeEncodedText(encoding, description.first(length)).empty();
}

std::string DecodeLinkText(std::span<const std::uint8_t> data) {
    return DecodeDescribedText(data, 1);
}

}  // namespace kestrune::id3v2
