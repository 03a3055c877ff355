// Finds the source's tags with the program's own readers and reads its ID3v2 tag once more
// with TagLib (what is carried), sets the row's texts over it, and renders both versions.
#include "OutputTags/OutputTags.h"

#include "ID3v1/GenreTable.h"
#include "ID3v1/Id3v1Tag.h"
#include "ID3v1/Id3v1Writer.h"
#include "ID3v2/Id3v2Tag.h"
#include "ID3v2/TrackNumber.h"
#include "OutputTags/AudioRange.h"
#include "OutputTags/CarriedTag.h"
#include "OutputTags/RowFrames.h"
#include "platform/File.h"

#include <charconv>
#include <limits>
#include <memory>
#include <new>

namespace kestrune::outputtags {

namespace {

// The source's ID3v2 tag, header included; nothing without one the program can read.
std::unique_ptr<CarriedTag> ReadCarriedTag(platform::ByteSource& source,
                                           const id3v2::Id3v2Tag& read) {
    if (!read.exists || read.size == 0 || read.version < 2 || read.version > 4) {
        return nullptr;
    }
    TagLib::ByteVector bytes(static_cast<unsigned>(read.size), '\0');
    const auto got =
        source.ReadAt(0, std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    if (!got || *got != bytes.size()) {
        return nullptr;
    }
    return std::make_unique<CarriedTag>(bytes);
}

std::uint8_t GenreByte(const std::string& genre) {
    int number = -1;
    const char* end = genre.data() + genre.size();
    const auto [stop, error] = std::from_chars(genre.data(), end, number);
    const bool named = error == std::errc() && stop == end && !id3v1::GenreName(number).empty();
    return named ? static_cast<std::uint8_t>(number) : std::uint8_t{255};
}

// The track number an ID3v1.1 tag can hold: 1 to 255, else none.
std::uint8_t TrackByte(const std::string& track) {
    const std::uint16_t number = id3v2::TrackNumberOf(track);
    return number <= std::numeric_limits<std::uint8_t>::max() ? static_cast<std::uint8_t>(number)
                                                              : std::uint8_t{0};
}

id3v1::TagBytes RenderId3v1(const RowTags& row) {
    return id3v1::RenderId3v1Tag({.title = row.title,
                                  .artist = row.artist,
                                  .album = row.album,
                                  .year = row.year,
                                  .comment = row.comment,
                                  .track = TrackByte(row.track),
                                  .genreId = GenreByte(row.genre)});
}

}  // namespace

OutputTagBytes MakeOutputTags(platform::ByteSource& source, const RowTags& row,
                              TagVersions versions) {
    id3v2::Id3v2Tag readV2;
    id3v1::Id3v1Tag readV1;
    readV2.ReadFrom(source);
    readV1.ReadFrom(source);

    OutputTagBytes tags;
    std::unique_ptr<CarriedTag> carried = ReadCarriedTag(source, readV2);
    if (!carried && versions.id3v2) {
        carried = std::make_unique<CarriedTag>();
    }
    if (carried) {
        if (versions.id3v1 || versions.id3v2) {
            const bool id3v1HadGenre = readV1.exists && readV1.genreId < id3v1::kGenreCount;
            SetRowTexts(carried->Tag(), row, id3v1HadGenre);
        }
        if (!carried->Tag().frameList().isEmpty()) {
            const TagLib::ByteVector rendered = carried->Tag().render(TagLib::ID3v2::v3);
            tags.id3v2.assign(rendered.begin(), rendered.end());
        }
    }
    if (versions.id3v1) {
        tags.id3v1 = RenderId3v1(row);
    }
    return tags;
}

bool WriteOutputTags(const std::string& sourcePath, platform::FileForUpdate& encoded,
                     const RowTags& row, TagVersions versions) {
    try {
        platform::File source = platform::File::OpenForReading(sourcePath);
        if (!source.IsOpen()) {
            return false;
        }
        const OutputTagBytes tags = MakeOutputTags(source, row, versions);
        std::span<const std::uint8_t> tail;
        if (tags.id3v1) {
            tail = *tags.id3v1;
        }
        return ReplaceTags(encoded, tags.id3v2, tail);
    } catch (const std::bad_alloc&) {
        return false;  // a tag too large for the memory left
    }
}

}  // namespace kestrune::outputtags
