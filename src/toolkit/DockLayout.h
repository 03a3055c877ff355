// Placement of docked controls in their parent's client area, shared by the back ends.
#pragma once

#include "toolkit/Layout.h"

#include <span>

namespace kestrune::toolkit {

struct DockedBounds {
    Dock dock = Dock::None;
    Rect bounds;
};

// Places the docked entries, in place: first those docked to the top, then bottom, left,
// right and fill, each kind in the order given. Each takes its edge of what the earlier
// ones left, keeping only its own free extent (a left-docked control keeps its width).
// Entries that are not docked keep their bounds.
void ArrangeDocked(const Size& client, std::span<DockedBounds> entries);

}  // namespace kestrune::toolkit
