// Stored window bounds brought onto the screens' work areas.
#include "Unit1/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace kestrune::unit1 {
namespace {

using toolkit::Rect;

TEST(WindowPlacement, KeepsTheCaptionReachableOnTheScreenItBelongsTo) {
    const std::vector<Rect> twoScreens{{0, 0, 1280, 1000}, {1280, -200, 1920, 1080}};
    const struct {
        const char* what;
        Rect stored;
        Rect placed;
    } cases[] = {
        {"inside the second screen", {1500, 100, 700, 400}, {1500, 100, 700, 400}},
        {"straddling, mostly on the second", {1200, 0, 700, 400}, {1200, 0, 700, 400}},
        {"far right of everything", {10000, 50, 700, 400}, {3100, 50, 700, 400}},
        {"above the first screen", {100, -300, 700, 400}, {100, 0, 700, 400}},
        {"below the first screen", {100, 5000, 700, 400}, {100, 900, 700, 400}},
        {"far left, only a strip stays", {-5000, 10, 700, 400}, {-600, 10, 700, 400}},
        {"larger than the screen it overlaps most", {0, 0, 3000, 3000}, {0, 0, 1920, 1080}},
        {"extremes of int", {INT_MIN, INT_MAX, INT_MAX, INT_MAX}, {-1180, 900, 1280, 1000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceOnScreen(c.stored, twoScreens), c.placed);
    }
    EXPECT_EQ(PlaceOnScreen({-5000, 10, 700, 400}, {}), (Rect{-5000, 10, 700, 400}));
}

}  // namespace
}  // namespace kestrune::unit1
