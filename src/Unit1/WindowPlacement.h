// Where a window stored in the settings may stand: on a screen, so that its caption can be
// reached, and no larger than that screen's work area.
#pragma once

#include "toolkit/Layout.h"

#include <span>

namespace kestrune::unit1 {

// How much of the window stays on its screen at the least, across and down from its caption.
inline constexpr int kMinimumVisible = 100;

// The window's outer bounds moved and shrunk as little as needed: onto the work area it
// overlaps most (or, overlapping none, the one nearest its left top corner), no larger than
// that area, its caption bar inside the area and at least kMinimumVisible pixels of it across
// on the area. Without work areas the bounds stay as they are.
toolkit::Rect PlaceOnScreen(const toolkit::Rect& window, std::span<const toolkit::Rect> workAreas);

}  // namespace kestrune::unit1
