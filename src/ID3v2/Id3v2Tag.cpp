// Reads the tag header, scans the frames and derives the fields from the frames kept. Where
// a field has a fallback frame (title, artist, album, year), the fallback is used when the
// main frame gives an empty text.
#include "ID3v2/Id3v2Tag.h"

#include "ID3v2/FrameScan.h"
#include "ID3v2/Id3v2Text.h"
#include "ID3v2/TrackNumber.h"
#include "platform/File.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kestrune::id3v2 {

namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr std::string_view kMarker = "ID3";
constexpr std::uint8_t kFooterFlag = 0x10;
constexpr std::int64_t kFooterSize = 10;
constexpr std::size_t kYearLength = 4;

// The declared size of header, frames, padding and footer. The size bytes carry seven
// bits each but are taken whole, unmasked.
std::int64_t DeclaredTagSize(const std::array<std::uint8_t, kHeaderSize>& header) {
    const auto at = [&](std::size_t i) { return static_cast<std::int64_t>(header[i]); };
    const std::int64_t frames = (at(6) << 21) + (at(7) << 14) + (at(8) << 7) + at(9);
    const bool hasFooter = (header[5] & kFooterFlag) != 0;
    return frames + static_cast<std::int64_t>(kHeaderSize) + (hasFooter ? kFooterSize : 0);
}

// The texts of the kept frames; a slot without a frame gives an empty text.
class SlotTexts {
public:
    explicit SlotTexts(const FrameSlots& slots) : slots_(slots) {}

    std::string Text(Slot slot) const { return Decode(slot, DecodeText); }
    std::string TextOr(Slot slot, Slot fallback) const {
        std::string text = Text(slot);
        return text.empty() ? Text(fallback) : text;
    }
    std::string Decode(Slot slot, std::string (*decode)(std::span<const std::uint8_t>)) const {
        const auto& data = slots_[static_cast<std::size_t>(slot)];
        return data ? decode(*data) : std::string();
    }

private:
    const FrameSlots& slots_;
};

// The genre text after its last ")", so "(17)Rock" gives "Rock"; the rest is kept as it is.
std::string WithoutGenreReference(const std::string& genre) {
    const auto close = genre.rfind(')');
    return close == std::string::npos ? genre : genre.substr(close + 1);
}

}  // namespace

void Id3v2Tag::Reset() {
    *this = Id3v2Tag{};
}

bool Id3v2Tag::ReadFrom(platform::ByteSource& source) {
    Reset();
    std::array<std::uint8_t, kHeaderSize> header{};
    const auto read = source.ReadAt(0, header);
    if (!read || *read < kHeaderSize) {
        return false;
    }
    if (!std::equal(kMarker.begin(), kMarker.end(), header.begin())) {
        return true;
    }
    exists = true;
    version = header[3];
    flags = header[5];
    const std::int64_t declaredSize = DeclaredTagSize(header);
    size = declaredSize > source.Size() ? 0 : static_cast<std::int32_t>(declaredSize);
    if (size == 0 || version < 2 || version > 4) {
        return true;
    }

    const FrameSlots slots = ScanFrames(source, version, size);
    const SlotTexts texts(slots);
    title = texts.TextOr(Slot::title, Slot::contentGroup);
    artist = texts.TextOr(Slot::artist, Slot::originalArtist);
    album = texts.TextOr(Slot::album, Slot::originalAlbum);
    trackText = texts.Text(Slot::track);
    track = TrackNumberOf(trackText);
    year = texts.Text(Slot::year);
    if (year.empty()) {
        const std::string recordingTime = texts.Text(Slot::recordingTime);
        year = platform::FirstCharacters(recordingTime, kYearLength);
    }
    genre = WithoutGenreReference(texts.Text(Slot::genre));
    comment = texts.Decode(Slot::comment, DecodeCommentText);
    composer = texts.Text(Slot::composer);
    encoder = texts.Text(Slot::encoder);
    copyright = texts.Text(Slot::copyright);
    language = texts.Text(Slot::language);
    link = texts.Decode(Slot::link, DecodeLinkText);
    return true;
}

bool Id3v2Tag::ReadFromFile(const std::string& path) {
    platform::File file = platform::File::OpenForReading(path);
    return ReadFrom(file);
}

}  // namespace kestrune::id3v2
