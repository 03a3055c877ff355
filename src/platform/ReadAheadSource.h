// A ByteSource that serves small reads from two windows of the source, one at its head and
// one at its tail, each read in a single call. The file analysis reads a tag header, tag
// frames and a block near the start of a file, and the ID3v1 tag and a block near its end:
// with the windows this costs two reads of the file instead of one per item.
#pragma once

#include "platform/ByteSource.h"

#include <array>

namespace kestrune::platform {

class ReadAheadSource final : public ByteSource {
public:
    // Large enough for a short ID3v2 tag and the first audio block after it, or for the
    // ID3v1 tag and the audio block before it.
    static constexpr std::size_t kWindowSize = 4096;

    // The source must outlive this object.
    explicit ReadAheadSource(ByteSource& source) : source_(source) {}

    std::int64_t Size() const override { return source_.Size(); }
    std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) override;

private:
    struct Window {
        std::array<std::uint8_t, kWindowSize> bytes{};
        std::int64_t start = 0;
        std::size_t length = 0;  // 0: nothing read yet
    };

    bool Holds(const Window& window, std::int64_t offset, std::size_t length) const;
    static std::size_t CopyOut(const Window& window, std::int64_t offset,
                               std::span<std::uint8_t> buffer);

    ByteSource& source_;
    Window head_;
    Window tail_;
};

}  // namespace kestrune::platform
