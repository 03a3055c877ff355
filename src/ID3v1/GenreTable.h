// The 148 ID3v1 genre names: a name's index is its genre number, 0 to 147. Genre bytes
// from 148 upward have no name.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace kestrune::id3v1 {

inline constexpr std::size_t kGenreCount = 148;

// All names in genre-number order.
std::span<const std::string_view> GenreTable();

// The name of a genre number, or an empty text for a number without a name.
std::string_view GenreName(int genreId);

}  // namespace kestrune::id3v1
