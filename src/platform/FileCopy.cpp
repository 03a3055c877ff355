// Copying a file's bytes into a file of the program's own, a chunk at a time, so that a long
// recording never has to fit in memory.
#include "platform/File.h"

#include <algorithm>
#include <vector>

namespace kestrune::platform {

namespace {

constexpr std::int64_t kChunk = std::int64_t{1} << 20;

}  // namespace

bool CopyFileInto(const std::string& from, FileForUpdate& to) {
    File source = File::OpenForReading(from);
    if (!source.IsOpen()) {
        return false;
    }
    const std::int64_t size = source.Size();
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(kChunk, size)));
    for (std::int64_t done = 0; done < size;) {
        const auto chunk =
            std::span(buffer).first(static_cast<std::size_t>(std::min(kChunk, size - done)));
        const auto read = source.ReadAt(done, chunk);
        if (!read || *read != chunk.size() || !to.WriteAt(done, chunk)) {
            return false;
        }
        done += static_cast<std::int64_t>(chunk.size());
    }
    return to.Resize(size);
}

}  // namespace kestrune::platform
