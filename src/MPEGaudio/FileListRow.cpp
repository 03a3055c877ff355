// Builds a file list row from one analysis: the ID3v1 text is preferred field by field, the
// ID3v2 text fills what it leaves empty, and the genre comes from the ID3v1 tag alone.
#include "MPEGaudio/FileListRow.h"

#include "ID3v1/GenreTable.h"
#include "MPEGaudio/MpegAudioInfo.h"
#include "platform/File.h"
#include "platform/Paths.h"

namespace kestrune::mpeg {

namespace {

const std::string& Preferred(const std::string& first, const std::string& second) {
    return first.empty() ? second : first;
}

}  // namespace

FileListRow ReadFileListRow(const std::string& path) {
    FileListRow row;
    row.name = std::string(platform::StemOf(platform::FileNameOf(path)));
    platform::File file = platform::File::OpenForReading(path);
    // A file that cannot be read may still show its size.
    row.size = file.IsOpen() ? file.Size() : platform::FileSize(path).value_or(0);

    MpegAudioInfo info;
    row.valid = info.ReadFromOpenFile(file) && info.IsValid();
    row.duration = info.Duration();
    if (!row.valid) {
        return row;
    }
    row.bitRate = info.BitRate();
    row.isVbr = info.vbr.found;
    row.title = Preferred(info.id3v1.title, info.id3v2.title);
    row.artist = Preferred(info.id3v1.artist, info.id3v2.artist);
    row.album = Preferred(info.id3v1.album, info.id3v2.album);
    row.year = Preferred(info.id3v1.year, info.id3v2.year);
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
