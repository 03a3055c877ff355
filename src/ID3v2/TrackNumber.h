// The track number of an ID3v2 track text such as "3/12".
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrune::id3v2 {

// The integer before the first "/" (the whole text without one): optional leading spaces,
// an optional sign, then decimal digits, or hexadecimal digits behind "$", "x" or "0x"
// (either case of x), within the signed 32-bit range (hexadecimal up to FFFFFFFF). Anything
// else gives 0. Only the low 16 bits are kept.
std::uint16_t TrackNumberOf(std::string_view trackText);

}  // namespace kestrune::id3v2
