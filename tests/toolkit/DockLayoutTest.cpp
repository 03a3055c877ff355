// Docking: the placement rule the back ends share.
#include "toolkit/DockLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune::toolkit {
namespace {

struct DockCase {
    const char* name;
    Size client;
    std::vector<DockedBounds> entries;
    std::vector<Rect> expected;
};

TEST(DockLayout, EdgesTakeTheirSideOfWhatEarlierEdgesLeftAndFillTakesTheRest) {
    const DockCase cases[] = {
        {"left and right panels",
         {641, 246},
         {{Dock::Left, {5, 5, 329, 10}}, {Dock::Right, {0, 0, 307, 10}}},
         {{0, 0, 329, 246}, {334, 0, 307, 246}}},
        {"bottom button keeps its height only",
         {299, 135},
         {{Dock::None, {70, 36, 224, 17}}, {Dock::Bottom, {9, 9, 50, 18}}},
         {{70, 36, 224, 17}, {0, 117, 299, 18}}},
        {"top and bottom go before left, whatever the order",
         {100, 100},
         {{Dock::Left, {0, 0, 20, 0}}, {Dock::Top, {0, 0, 0, 10}}, {Dock::Bottom, {0, 0, 0, 30}}},
         {{0, 10, 20, 60}, {0, 0, 100, 10}, {0, 70, 100, 30}}},
        {"fill takes what the edges left",
         {100, 50},
         {{Dock::Fill, {}}, {Dock::Left, {0, 0, 30, 0}}},
         {{30, 0, 70, 50}, {0, 0, 30, 50}}},
        {"edges wider than the client leave nothing, never less",
         {40, 40},
         {{Dock::Left, {0, 0, 50, 0}}, {Dock::Fill, {}}},
         {{0, 0, 50, 40}, {50, 0, 0, 40}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<DockedBounds> entries = c.entries;
        ArrangeDocked(c.client, entries);
        ASSERT_EQ(entries.size(), c.expected.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].bounds, c.expected[i]) << "entry " << i;
        }
    }
}

}  // namespace
}  // namespace kestrune::toolkit
