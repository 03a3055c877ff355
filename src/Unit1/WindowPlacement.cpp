// Geometry in 64 bits: stored values may be anywhere in the int range, and their sums must
// not overflow.
#include "Unit1/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrune::unit1 {

namespace {

using Coordinate = std::int64_t;

Coordinate Overlap(Coordinate start, Coordinate length, Coordinate areaStart,
                   Coordinate areaLength) {
    return std::max<Coordinate>(
        0, std::min(start + length, areaStart + areaLength) - std::max(start, areaStart));
}

Coordinate OverlapArea(const toolkit::Rect& a, const toolkit::Rect& b) {
    return Overlap(a.left, a.width, b.left, b.width) * Overlap(a.top, a.height, b.top, b.height);
}

// How far a point lies outside a rectangle, along each axis, summed.
Coordinate DistanceOutside(Coordinate x, Coordinate y, const toolkit::Rect& area) {
    const auto along = [](Coordinate value, Coordinate start, Coordinate length) {
        return std::max<Coordinate>({0, start - value, value - (start + length)});
    };
    return along(x, area.left, area.width) + along(y, area.top, area.height);
}

const toolkit::Rect& ChosenArea(const toolkit::Rect& window,
                                std::span<const toolkit::Rect> workAreas) {
    const auto most = std::ranges::max_element(
        workAreas, {}, [&](const toolkit::Rect& area) { return OverlapArea(window, area); });
    if (OverlapArea(window, *most) > 0) {
        return *most;
    }
    return *std::ranges::min_element(workAreas, {}, [&](const toolkit::Rect& area) {
        return DistanceOutside(window.left, window.top, area);
    });
}

int Clamped(Coordinate value, Coordinate low, Coordinate high) {
    return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

}  // namespace

toolkit::Rect PlaceOnScreen(const toolkit::Rect& window, std::span<const toolkit::Rect> workAreas) {
    if (workAreas.empty()) {
        return window;
    }
    const toolkit::Rect& area = ChosenArea(window, workAreas);
    toolkit::Rect placed = window;
    placed.width = std::clamp(window.width, 0, area.width);
    placed.height = std::clamp(window.height, 0, area.height);
    const Coordinate visible = std::min(kMinimumVisible, placed.width);
    const Coordinate right = Coordinate{area.left} + area.width;
    const Coordinate bottom = Coordinate{area.top} + area.height;
    placed.left =
        Clamped(window.left, Coordinate{area.left} + visible - placed.width, right - visible);
    placed.top = Clamped(window.top, area.top, bottom - std::min(kMinimumVisible, placed.height));
    return placed;
}

}  // namespace kestrune::unit1
