// What LAME 3.100 takes with its picture option, found by trying it: it tells the kind by
// the first bytes and refuses to encode at all for any other kind; it takes any size, but
// writes a broken tag once the tag outgrows the 28 bits of the tag's size field.
#include "Unit1/CoverPictureFile.h"

#include "ID3v2/AttachedPicture.h"
#include "Unit1/EncoderCommandLine.h"
#include "platform/File.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <string_view>

namespace kestrune::unit1 {

namespace {

struct Signature {
    std::array<std::uint8_t, 4> start;
    std::size_t length;         // of start
    std::size_t shortestImage;  // the fewest bytes LAME takes: more than the mark
};
constexpr std::array<Signature, 3> kSignatures{{
    {{0xFF, 0xD8}, 2, 3},           // JPEG
    {{0x89, 'P', 'N', 'G'}, 4, 5},  // PNG
    {{'G', 'I', 'F', '8'}, 4, 5},   // GIF
}};

// The most the tag's 28-bit size field can state, less ample room for what LAME writes
// besides the picture: the texts and a comment of up to 8 KiB, in UTF-16.
constexpr std::uint64_t kLargestTag = (std::uint64_t{1} << 28) - 1;
constexpr std::uint64_t kLargestPictureFrame = kLargestTag - std::uint64_t{64} * 1024;

// The cover in a temporary file, or nothing when the row goes without one.
std::optional<TemporaryFile> WriteCover(const EncoderOptions& options,
                                        const std::string& sourcePath,
                                        const std::string& outputFolder) {
    if (!CarriesPicture(options)) {
        return std::nullopt;
    }
    platform::File source = platform::File::OpenForReading(sourcePath);
    std::optional<id3v2::AttachedPicture> picture;
    try {
        picture = id3v2::ReadCoverPicture(source, kLargestPictureFrame);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a picture too large for the memory left
    }
    if (!picture || !EncoderTakesPicture(picture->bytes)) {
        return std::nullopt;
    }
    auto file = TemporaryFile::Create(outputFolder, TemporaryKind::coverPicture);
    if (!file || !file->File().WriteAt(0, picture->bytes)) {
        return std::nullopt;
    }
    return file;
}

}  // namespace

bool EncoderTakesPicture(std::span<const std::uint8_t> bytes) {
    return std::ranges::any_of(kSignatures, [&](const Signature& signature) {
        return bytes.size() >= signature.shortestImage &&
               std::equal(signature.start.begin(), signature.start.begin() + signature.length,
                          bytes.begin());
    });
}

CoverPictureFile::CoverPictureFile(const EncoderOptions& options, const std::string& sourcePath,
                                   const std::string& outputFolder)
    : file_(WriteCover(options, sourcePath, outputFolder)) {}

}  // namespace kestrune::unit1
