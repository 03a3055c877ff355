// Reading /proc/<pid>/stat lines and summing a changing tree of processes.
#include "platform/ProcessTreeTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune::platform {
namespace {

TEST(ProcessTreeTime, ReadsGroupSessionAndAllFourTimesOfAStatLine) {
    const auto entry = ParseProcessStat(
        "4242 (lame (x) y) R 1 4242 4200 0 -1 4194304 100 0 0 0 7 3 20 10 20 0 1 0 5 0 0\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->pid, 4242);
    EXPECT_EQ(entry->group, 4242);
    EXPECT_EQ(entry->session, 4200);
    EXPECT_EQ(entry->ticks, 7u + 3 + 20 + 10);
    for (const char* broken : {"", "4242 lame R 1 2 3", "4242 (lame) R 1 2 3 0 -1 4 5 0 0 0 7",
                               "x (lame) R 1 2 3 0 -1 4 5 0 0 0 7 3 20 10",
                               "4242 (lame) R 1 2 3 0 -1 4 5 0 0 0 7 -3 20 10"}) {
        EXPECT_FALSE(ParseProcessStat(broken)) << broken;
    }
}

TEST(ProcessTreeTime, CountsWhatEachProcessUsedSinceItWasLastSeen) {
    ProcessTreeTime tree;
    const std::vector<std::pair<std::vector<ProcessTicks>, std::uint64_t>> readings = {
        {{{10, 5}}, 5},
        {{{10, 8}, {11, 4}}, 12},  // a child appears with what it used so far
        {{{10, 9}}, 13},           // the child ended: what it used stays counted
        {{{10, 9}, {11, 2}}, 15},  // its id came back for a new process
        {{{10, 9}, {11, 1}}, 16},  // and again, with less used than the last one
    };
    for (const auto& [reading, total] : readings) {
        EXPECT_EQ(tree.Add(reading), total);
    }
}

}  // namespace
}  // namespace kestrune::platform
