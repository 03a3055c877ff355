// The genre table: its size, and names whose spelling or position is easy to get wrong.
#include "ID3v1/GenreTable.h"

#include <gtest/gtest.h>

namespace kestrune::id3v1 {
namespace {

TEST(GenreTable, HoldsTheNamesOfNumbers0To147) {
    ASSERT_EQ(GenreTable().size(), 148u);
    const struct {
        int genreId;
        std::string_view name;
    } cases[] = {
        {0, "Blues"},
        {17, "Rock"},
        {40, "AlternRock"},
        {67, "Psychadelic"},
        {78, "Rock & Roll"},
        {85, "Bebob"},
        {92, "Progessive Rock"},
        {123, "A capella"},
        {133, "Negerpunk"},
        {136, "Christian Gangsta Rap"},
        {144, "Trash Metal"},
        {147, "Synthpop"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GenreTable()[c.genreId], c.name);
        EXPECT_EQ(GenreName(c.genreId), c.name);
    }
    for (const auto name : GenreTable()) {
        EXPECT_FALSE(name.empty());
    }
}

TEST(GenreTable, NumbersOutsideTheTableHaveNoName) {
    for (const int genreId : {-1, 148, 200, 255}) {
        EXPECT_EQ(GenreName(genreId), "");
    }
}

}  // namespace
}  // namespace kestrune::id3v1
