// A random-access source of bytes: what the parsers of untrusted data read from, so that
// they run the same on an open file and on bytes held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kestrune::platform {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Size in bytes; 0 for a source that could not be opened.
    virtual std::int64_t Size() const = 0;

    // Reads up to buffer.size() bytes starting at offset (never negative). Answers how many
    // bytes were read, fewer at the end of the source, or nothing when the read failed.
    virtual std::optional<std::size_t> ReadAt(std::int64_t offset,
                                              std::span<std::uint8_t> buffer) = 0;
};

}  // namespace kestrune::platform
