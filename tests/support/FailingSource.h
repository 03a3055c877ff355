// A ByteSource over bytes held by the caller whose reads fail from a given offset on: for
// testing how parsers handle a read error in the middle of their work.
#pragma once

#include "platform/MemorySource.h"

#include <cstdint>
#include <span>

namespace kestrune::test {

class FailingSource final : public platform::ByteSource {
public:
    // Reads that start at failFrom or later fail; the bytes must outlive the source.
    FailingSource(std::span<const std::uint8_t> bytes, std::int64_t failFrom)
        : bytes_(bytes), failFrom_(failFrom) {}

    std::int64_t Size() const override { return bytes_.Size(); }
    std::optional<std::size_t> ReadAt(std::int64_t offset,
                                      std::span<std::uint8_t> buffer) override {
        if (offset >= failFrom_) {
            return std::nullopt;
        }
        return bytes_.ReadAt(offset, buffer);
    }

private:
    platform::MemorySource bytes_;
    std::int64_t failFrom_;
};

}  // namespace kestrune::test
