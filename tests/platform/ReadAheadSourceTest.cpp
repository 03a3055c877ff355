// The read-ahead windows answer exactly what the source would, with fewer source reads.
#include "platform/MemorySource.h"
#include "platform/ReadAheadSource.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace kestrune::platform {
namespace {

class CountingSource final : public ByteSource {
public:
    explicit CountingSource(const std::vector<std::uint8_t>& bytes) : memory_(bytes) {}
    std::int64_t Size() const override { return memory_.Size(); }
    std::optional<std::size_t> ReadAt(std::int64_t offset,
                                      std::span<std::uint8_t> buffer) override {
        ++reads;
        if (failing) {
            return std::nullopt;
        }
        return memory_.ReadAt(offset, buffer);
    }
    int reads = 0;
    bool failing = false;

private:
    MemorySource memory_;
};

std::vector<std::uint8_t> Counting(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST(ReadAheadSource, AnswersEveryReadAsTheSourceWould) {
    const struct {
        std::size_t size;
        std::vector<std::pair<std::int64_t, std::size_t>> reads;
    } cases[] = {
        {100000, {{0, 10}, {99872, 128}, {10, 500}, {150, 3458}, {96414, 3458}, {50000, 3458}}},
        {2000, {{0, 10}, {1872, 128}, {0, 3458}, {1990, 20}, {2000, 5}, {3000, 5}}},
        {5000, {{4000, 200}, {0, 4096}, {4990, 100}, {903, 4000}}},
        {0, {{0, 10}, {0, 128}}},
    };
    for (const auto& c : cases) {
        const auto bytes = Counting(c.size);
        MemorySource direct(bytes);
        MemorySource underlying(bytes);
        ReadAheadSource windowed(underlying);
        for (const auto& [offset, length] : c.reads) {
            std::vector<std::uint8_t> expected(length, 0xEE), got(length, 0xEE);
            EXPECT_EQ(windowed.ReadAt(offset, got), direct.ReadAt(offset, expected))
                << c.size << " at " << offset << " for " << length;
            EXPECT_EQ(got, expected);
        }
    }
}

TEST(ReadAheadSource, AnalysisPatternCostsTwoSourceReads) {
    const auto bytes = Counting(100000);
    CountingSource source(bytes);
    ReadAheadSource windowed(source);
    std::vector<std::uint8_t> buffer(3458);
    for (const auto& [offset, length] : {std::pair<std::int64_t, std::size_t>{0, 10},
                                         {10, 10},
                                         {20, 500},
                                         {99872, 128},
                                         {300, 3458},
                                         {96414, 3458}}) {
        ASSERT_TRUE(windowed.ReadAt(offset, std::span(buffer).first(length)));
    }
    EXPECT_EQ(source.reads, 2);
}

TEST(ReadAheadSource, ReadErrorsReachTheCaller) {
    const auto bytes = Counting(10000);
    CountingSource source(bytes);
    source.failing = true;
    ReadAheadSource windowed(source);
    std::vector<std::uint8_t> buffer(10);
    EXPECT_EQ(windowed.ReadAt(0, buffer), std::nullopt);
    source.failing = false;
    EXPECT_EQ(windowed.ReadAt(0, buffer), 10u);
    EXPECT_EQ(windowed.ReadAt(-1, buffer), std::nullopt);
}

}  // namespace
}  // namespace kestrune::platform
