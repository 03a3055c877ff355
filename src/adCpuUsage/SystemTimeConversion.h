// A Windows SYSTEMTIME turned into a FILETIME count, in plain code so that it behaves the
// same on every machine.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrune::cpuusage {

// The fields of a SYSTEMTIME; the day of the week plays no part in the conversion.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// 100-nanosecond units since 1601-01-01 00:00, as SystemTimeToFileTime computes them.
// Nothing for a time that does not exist (month 13, 29 February of a common year, a year
// before 1601 or after 30827, ...).
std::optional<std::int64_t> FileTimeFromSystemTime(const SystemTime& time);

}  // namespace kestrune::cpuusage
