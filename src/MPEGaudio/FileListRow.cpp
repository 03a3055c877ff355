// Builds a file list row from one analysis: the ID3v1 text is preferred field by field unless
// it is empty or only a copy of the ID3v2 text, the genre comes from the ID3v1 tag alone, and
// the track number and comment from the ID3v2 tag before the ID3v1 tag.
#include "MPEGaudio/FileListRow.h"

#include "ID3v1/GenreTable.h"
#include "ID3v1/Id3v1Layout.h"
#include "MPEGaudio/MpegAudioInfo.h"
#include "platform/File.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::mpeg {

namespace {

constexpr char32_t kLastAscii = 0x7F;

// Taggers and encoders that write both tags put the start of the ID3v2 text into the ID3v1
// area, trimmed as the ID3v1 reader trims, with "?" for every character their code page
// cannot hold. Such a copy says no more than the ID3v2 text it came from, which is kept
// instead: re-encoding must not cut a title or turn Cyrillic into question marks. Any
// other ID3v1 text is the user's own and wins.
bool IsCopyOfStart(std::string_view v1, std::string_view v2, std::size_t area) {
    const std::u32string copy = platform::CodePoints(v1);
    std::u32string start = platform::CodePoints(v2).substr(0, area);
    while (!start.empty() && start.back() <= U' ') {
        start.pop_back();
    }
    return std::ranges::equal(copy, start, [](char32_t copied, char32_t original) {
        return copied == original || (copied == U'?' && original > kLastAscii);
    });
}

// The ID3v1 text when it says something of its own, else the ID3v2 text.
const std::string& Preferred(const std::string& v1, const std::string& v2, std::size_t area) {
    return v1.empty() || IsCopyOfStart(v1, v2, area) ? v2 : v1;
}

// The ID3v2 track text, such as "5/12", else the ID3v1.1 track byte.
std::string TrackOf(const MpegAudioInfo& info) {
    if (!info.id3v2.trackText.empty()) {
        return info.id3v2.trackText;
    }
    return info.id3v1.track != 0 ? std::to_string(info.id3v1.track) : std::string();
}

}  // namespace

FileListRow ReadFileListRow(const std::string& path) {
    FileListRow row;
    // A name need not be valid UTF-8 on POSIX; it is shown with U+FFFD for each bad byte.
    row.name = platform::SanitiseUtf8(platform::StemOf(platform::FileNameOf(path)));
    platform::File file = platform::File::OpenForReading(path);
    // A file that cannot be read may still show its size.
    row.size = file.IsOpen() ? file.Size() : platform::FileSize(path).value_or(0);

    MpegAudioInfo info;
    row.valid = info.ReadFromOpenFile(file) && info.IsValid();
    row.duration = info.Duration();
    if (!row.valid) {
        return row;
    }
    row.hasId3v2 = info.id3v2.exists;
    row.bitRate = info.BitRate();
    row.isVbr = info.vbr.found;
    row.title = Preferred(info.id3v1.title, info.id3v2.title, id3v1::kTextFieldWidth);
    row.artist = Preferred(info.id3v1.artist, info.id3v2.artist, id3v1::kTextFieldWidth);
    row.album = Preferred(info.id3v1.album, info.id3v2.album, id3v1::kTextFieldWidth);
    row.year = Preferred(info.id3v1.year, info.id3v2.year, id3v1::kYearFieldWidth);
    row.track = TrackOf(info);
    row.comment = info.id3v2.comment.empty() ? info.id3v1.comment : info.id3v2.comment;
    if (info.id3v1.exists && info.id3v1.genreId < id3v1::kGenreCount) {
        row.genre = std::to_string(info.id3v1.genreId);
    }
    return row;
}

std::string GroupThousands(std::int64_t value) {
    const std::string digits = std::to_string(value < 0 ? -static_cast<std::uint64_t>(value)
                                                        : static_cast<std::uint64_t>(value));
    std::string grouped = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped.push_back(',');
        }
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string KindText(const FileListRow& row) {
    if (!row.valid) {
        return {};
    }
    return row.isVbr ? "VBR" : "CBR";
}

std::string BitRateText(const FileListRow& row) {
    return row.valid ? std::to_string(row.bitRate) : std::string{};
}

}  // namespace kestrune::mpeg
