// Serves reads from the head or the tail window when one covers them; otherwise refills
// the window on the read's side of the source: the tail window so that it ends at the end
// of the source, the head window so that it starts at the read.
#include "platform/ReadAheadSource.h"

#include <algorithm>

namespace kestrune::platform {

bool ReadAheadSource::Holds(const Window& window, std::int64_t offset, std::size_t length) const {
    if (window.length == 0 || offset < window.start) {
        return false;
    }
    const auto end = offset + static_cast<std::int64_t>(length);
    const auto windowEnd = window.start + static_cast<std::int64_t>(window.length);
    // A window that reaches the end of the source also answers reads running past it.
    return end <= windowEnd || (windowEnd >= Size() && offset <= windowEnd);
}

std::size_t ReadAheadSource::CopyOut(const Window& window, std::int64_t offset,
                                     std::span<std::uint8_t> buffer) {
    const auto skip = static_cast<std::size_t>(offset - window.start);
    const std::size_t count = std::min(buffer.size(), window.length - skip);
    std::copy_n(window.bytes.begin() + static_cast<std::ptrdiff_t>(skip), count, buffer.begin());
    return count;
}

std::optional<std::size_t> ReadAheadSource::ReadAt(std::int64_t offset,
                                                   std::span<std::uint8_t> buffer) {
    if (offset < 0) {
        return std::nullopt;
    }
    if (buffer.size() >= kWindowSize) {
        return source_.ReadAt(offset, buffer);
    }
    for (const Window* window : {&head_, &tail_}) {
        if (Holds(*window, offset, buffer.size())) {
            return CopyOut(*window, offset, buffer);
        }
    }
    const std::int64_t tailStart = std::max<std::int64_t>(0, Size() - std::int64_t{kWindowSize});
    Window& window = offset >= tailStart ? tail_ : head_;
    window.start = std::min(offset, tailStart);
    const auto got = source_.ReadAt(window.start, window.bytes);
    window.length = got.value_or(0);
    if (!got) {
        return std::nullopt;
    }
    if (!Holds(window, offset, buffer.size())) {
        // The source ended before the read (it may have shrunk since it was opened).
        window.length = 0;
        return source_.ReadAt(offset, buffer);
    }
    return CopyOut(window, offset, buffer);
}

}  // namespace kestrune::platform
