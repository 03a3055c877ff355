// A ByteSource over bytes held by the caller; used by tests, fuzzers and benchmarks.
#pragma once

#include "platform/ByteSource.h"

#include <span>

namespace kestrune::platform {

class MemorySource final : public ByteSource {
public:
    // The bytes must outlive the source.
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) override;

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace kestrune::platform
