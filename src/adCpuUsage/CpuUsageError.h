// The failure the CPU usage monitor raises: a std::runtime_error whose message is one of the
// fixed English texts below. The monitor never catches it; its caller decides.
#pragma once

#include <stdexcept>

namespace kestrune::cpuusage {

inline constexpr char kCantGetWindowsVersion[] = "Can't get the Windows version";
inline constexpr char kCpuIndexOutOfBounds[] = "CPU index out of bounds";
inline constexpr char kProcessorObjectNotFound[] =
    "Unable to locate the \"Processor\" performance object";
inline constexpr char kProcessorTimeCounterNotFound[] =
    "Unable to locate the \"% of CPU usage\" performance counter";
inline constexpr char kUnableToStartMonitoring[] = "Unable to start performance monitoring";
inline constexpr char kUnableToReadPerformanceData[] = "Unable to read performance data";

class CpuUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kestrune::cpuusage
