// The CPU usage monitor of the running system, made once at program start.
#pragma once

#include "adCpuUsage/CpuUsageMonitor.h"

#include <memory>

namespace kestrune::cpuusage {

// Chooses by what the system offers: the performance data on Windows NT, the kernel
// statistic on Windows 95/98/Me, /proc/stat on Linux. Raises CpuUsageError "Can't get the
// Windows version" when the system offers none of them.
std::unique_ptr<CpuUsageMonitor> CreateSystemCpuUsageMonitor();

}  // namespace kestrune::cpuusage
