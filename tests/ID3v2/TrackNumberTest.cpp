// Reading the track number from a track text.
#include "ID3v2/TrackNumber.h"

#include <gtest/gtest.h>

namespace kestrune::id3v2 {
namespace {

TEST(TrackNumber, ReadsSignedDecimalOrHexadecimalBeforeTheSlashKeepingLow16Bits) {
    const struct {
        std::string_view text;
        std::uint16_t number;
    } cases[] = {
        {"3/12", 3},
        {"12", 12},
        {"  7", 7},
        {"+5", 5},
        {"007", 7},
        {"-1", 0xFFFF},
        {"$1F", 31},
        {"x10", 16},
        {"X1f", 31},
        {"0x10", 16},
        {"0X10/20", 16},
        {"-$10", 0xFFF0},
        {"70000", 4464},
        {"2147483647", 0xFFFF},
        {"-2147483647", 1},
        {"$FFFFFFFF", 0xFFFF},
        // Not integers, or out of range: 0.
        {"", 0},
        {"/5", 0},
        {"abc", 0},
        {"12a", 0},
        {"3 /12", 0},
        {"-", 0},
        {"$", 0},
        {"0x", 0},
        {"1.5", 0},
        {"\t3", 0},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"$100000000", 0},
        {"99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrackNumberOf(c.text), c.number) << c.text;
    }
}

}  // namespace
}  // namespace kestrune::id3v2
