// The monitor of the machine the tests run on. On Linux a spinning thread, held on one
// processor, must show that processor busy; other machines' loads vary too much to assert.
#include "adCpuUsage/SystemCpuUsageMonitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace kestrune::cpuusage {
namespace {

#ifdef __linux__

// Spins on one processor the process may use until destroyed.
class PinnedSpinner {
public:
    PinnedSpinner()
        : thread_([this] {
              while (!stop_.load(std::memory_order_relaxed)) {
              }
          }) {
        cpu_set_t allowed;
        CPU_ZERO(&allowed);
        EXPECT_EQ(sched_getaffinity(0, sizeof(allowed), &allowed), 0);
        int processor = 0;
        while (processor < CPU_SETSIZE - 1 && !CPU_ISSET(processor, &allowed)) {
            ++processor;
        }
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(processor, &one);
        EXPECT_EQ(pthread_setaffinity_np(thread_.native_handle(), sizeof(one), &one), 0);
    }
    PinnedSpinner(const PinnedSpinner&) = delete;
    PinnedSpinner& operator=(const PinnedSpinner&) = delete;
    ~PinnedSpinner() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(SystemCpuUsageMonitor, SpinningThreadShowsItsProcessorBusy) {
    const auto monitor = CreateSystemCpuUsageMonitor();
    const std::int32_t count = monitor->ProcessorCount();
    ASSERT_GE(count, 1);

    std::vector<double> loads;
    {
        const PinnedSpinner spinner;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        monitor->TakeSample();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        monitor->TakeSample();
    }
    for (std::int32_t i = 0; i < count; ++i) {
        loads.push_back(monitor->ProcessorLoad(i));
    }
    EXPECT_GT(*std::max_element(loads.begin(), loads.end()), 0.7);
    for (const double load : loads) {
        // Tick granularity (10 ms) against a 400 ms interval leaves a few per cent of slack.
        EXPECT_GE(load, -0.05);
        EXPECT_LE(load, 1.05);
    }
}

#endif

}  // namespace
}  // namespace kestrune::cpuusage
