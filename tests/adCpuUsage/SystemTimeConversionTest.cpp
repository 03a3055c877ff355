// SYSTEMTIME -> FILETIME: known instants, the calendar's leap rules and the accepted range.
#include "adCpuUsage/SystemTimeConversion.h"

#include <gtest/gtest.h>

namespace kestrune::cpuusage {
namespace {

TEST(SystemTimeConversion, CountsHundredNanosecondsSince1601) {
    struct Case {
        SystemTime time;
        std::int64_t fileTime;
    };
    const Case cases[] = {
        {{1601, 1, 1, 0, 0, 0, 0}, 0},
        {{1601, 1, 1, 0, 0, 0, 1}, 10'000},
        {{1970, 1, 1, 0, 0, 0, 0}, 116'444'736'000'000'000},
        {{2000, 2, 29, 12, 34, 56, 789}, 125'963'012'967'890'000},
        {{2026, 12, 7, 5, 16, 42, 5}, 134'410'942'020'050'000},
        {{9999, 12, 31, 23, 59, 59, 999}, 2'650'467'743'999'990'000},
        {{30827, 12, 31, 23, 59, 59, 999}, 0x7FFF35F4F06C58F0},  // the latest accepted
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileTimeFromSystemTime(c.time), c.fileTime) << c.time.year;
    }
}

TEST(SystemTimeConversion, RejectsTimesThatDoNotExist) {
    const SystemTime cases[] = {
        {1600, 12, 31, 23, 59, 59, 999}, {30828, 1, 1, 0, 0, 0, 0}, {2026, 0, 1, 0, 0, 0, 0},
        {2026, 13, 1, 0, 0, 0, 0},       {2026, 1, 0, 0, 0, 0, 0},  {2026, 4, 31, 0, 0, 0, 0},
        {2023, 2, 29, 0, 0, 0, 0},       {1900, 2, 29, 0, 0, 0, 0}, {2026, 1, 1, 24, 0, 0, 0},
        {2026, 1, 1, 0, 60, 0, 0},       {2026, 1, 1, 0, 0, 60, 0}, {2026, 1, 1, 0, 0, 0, 1000},
    };
    for (const SystemTime& time : cases) {
        EXPECT_FALSE(FileTimeFromSystemTime(time))
            << time.year << '-' << time.month << '-' << time.day << ' ' << time.hour << ':'
            << time.minute << ':' << time.second << '.' << time.milliseconds;
    }
}

}  // namespace
}  // namespace kestrune::cpuusage
