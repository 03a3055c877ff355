// The audio is moved in chunks, from its end when it moves towards the end of the file and
// from its start otherwise, so that no chunk is overwritten before it has been read.
#include "OutputTags/AudioRange.h"

#include "ID3v1/Id3v1Tag.h"
#include "ID3v2/Id3v2Tag.h"

#include <algorithm>
#include <vector>

namespace kestrune::outputtags {

namespace {

constexpr std::int64_t kMoveChunk = std::int64_t{1} << 20;

bool MoveChunk(platform::FileForUpdate& file, std::vector<std::uint8_t>& buffer, std::int64_t from,
               std::int64_t to, std::int64_t length) {
    const auto chunk = std::span(buffer).first(static_cast<std::size_t>(length));
    const auto read = file.ReadAt(from, chunk);
    return read && *read == chunk.size() && file.WriteAt(to, chunk);
}

bool MoveBytes(platform::FileForUpdate& file, std::int64_t from, std::int64_t to,
               std::int64_t length) {
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(kMoveChunk, length)));
    for (std::int64_t done = 0; done < length;) {
        const std::int64_t step = std::min(kMoveChunk, length - done);
        // Towards the end: the last chunks first.
        const std::int64_t offset = to > from ? length - done - step : done;
        if (!MoveChunk(file, buffer, from + offset, to + offset, step)) {
            return false;
        }
        done += step;
    }
    return true;
}

}  // namespace

AudioRange FindAudio(platform::ByteSource& file) {
    id3v2::Id3v2Tag head;
    id3v1::Id3v1Tag tail;
    head.ReadFrom(file);
    tail.ReadFrom(file);
    const std::int64_t start = head.size;
    const std::int64_t end = file.Size() - (tail.exists ? id3v1::kTagSize : 0);
    return {start, std::max(start, end)};
}

bool ReplaceTags(platform::FileForUpdate& file, std::span<const std::uint8_t> head,
                 std::span<const std::uint8_t> tail) {
    const AudioRange audio = FindAudio(file);
    const auto newStart = static_cast<std::int64_t>(head.size());
    const std::int64_t length = audio.end - audio.start;
    if (newStart != audio.start && !MoveBytes(file, audio.start, newStart, length)) {
        return false;
    }
    const std::int64_t newEnd = newStart + length;
    return file.WriteAt(0, head) && file.WriteAt(newEnd, tail) &&
           file.Resize(newEnd + static_cast<std::int64_t>(tail.size()));
}

}  // namespace kestrune::outputtags
