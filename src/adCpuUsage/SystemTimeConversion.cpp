// Calendar arithmetic for SYSTEMTIME -> FILETIME in the proleptic Gregorian calendar.
#include "adCpuUsage/SystemTimeConversion.h"

namespace kestrune::cpuusage {

namespace {

// The range SystemTimeToFileTime accepts.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
constexpr std::int64_t kUnitsPerMillisecond = 10'000;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1601-01-01 to the given date. 1601 starts a 400-year cycle of the calendar.
std::int64_t DaysSince1601(int year, int month, int day) {
    const std::int64_t yearsBefore = year - kFirstYear;
    std::int64_t days = yearsBefore * 365 + yearsBefore / 4 - yearsBefore / 100 + yearsBefore / 400;
    for (int earlierMonth = 1; earlierMonth < month; ++earlierMonth) {
        days += DaysInMonth(year, earlierMonth);
    }
    return days + day - 1;
}

}  // namespace

std::optional<std::int64_t> FileTimeFromSystemTime(const SystemTime& time) {
    const bool valid = time.year >= kFirstYear && time.year <= kLastYear && time.month >= 1 &&
                       time.month <= 12 && time.day >= 1 &&
                       time.day <= DaysInMonth(time.year, time.month) && time.hour < 24 &&
                       time.minute < 60 && time.second < 60 && time.milliseconds < 1000;
    if (!valid) {
        return std::nullopt;
    }
    const std::int64_t seconds = DaysSince1601(time.year, time.month, time.day) * 86'400 +
                                 std::int64_t{time.hour} * 3'600 + std::int64_t{time.minute} * 60 +
                                 time.second;
    return (seconds * 1'000 + time.milliseconds) * kUnitsPerMillisecond;
}

}  // namespace kestrune::cpuusage
