// The watchdog on real encoders (the stand-in) while the machine is loaded: it ends an encoder
// that does nothing however busy the rest is, never one that works, and counts the work of
// the processes an encoder starts. Ticks are a quarter of a second apart.
#include "Unit1/EncoderProcess.h"
#include "platform/CommandLine.h"
#include "processMP3/ProgressWindow.h"
#include "support/ScriptedCpuMonitor.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

namespace kestrune::unit1 {
namespace {

using namespace std::chrono_literals;

constexpr auto kTick = 250ms;

std::string StandIn(const std::string& actions) {
    return "\"" KESTRUNE_STAND_IN "\" " + actions;
}

class WatchdogWithEncoders : public ::testing::Test {
protected:
    // Keeps every processor busy with two spinning processes each.
    void LoadEveryProcessor() {
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < 2 * processors; ++i) {
            load.push_back(std::make_unique<EncoderProcess>());
            ASSERT_TRUE(load.back()->StartEncoder(StandIn("spin 20000")));
        }
    }

    // Watches the encoder for up to `ticks` ticks; answers the tick (from 1) that ended it,
    // or 0.
    int Watch(EncoderProcess& encoder, int ticks) {
        auto progress = processmp3::CreateProgressWindow(*owner, 1, machineLooksBusy);
        processmp3::BeginEncoder(*progress, "a",
                                 {.terminate = [&encoder] { encoder.Terminate(); },
                                  .processorTime = [&encoder] { return encoder.ProcessorTime(); }});
        for (int tick = 1; tick <= ticks; ++tick) {
            std::this_thread::sleep_for(kTick);
            processmp3::WatchdogTick(*progress);
            if (progress->killedByWatchdog) {
                return tick;
            }
        }
        return 0;
    }

    toolkit::headless::HeadlessDriver driver;
    std::unique_ptr<toolkit::Window> owner = toolkit::CreateTopLevelWindow("Kestrune");
    // The whole machine's load says nothing about the encoder: it must not be consulted.
    test::ScriptedCpuMonitor machineLooksBusy{{1.0, 1.0}};
    std::vector<std::unique_ptr<EncoderProcess>> load;
};

TEST_F(WatchdogWithEncoders, EndsASleepingEncoderAfterTwoTicksOnABusyMachine) {
    LoadEveryProcessor();
    EncoderProcess encoder;
    ASSERT_TRUE(encoder.StartEncoder(StandIn("sleep 20000")));
    EXPECT_EQ(Watch(encoder, 4), 2);
    ASSERT_TRUE(encoder.WaitForEnd(10s));
    EXPECT_EQ(encoder.ExitStatus()->signal, SIGKILL);
    EXPECT_EQ(machineLooksBusy.samples, 0);
}

TEST_F(WatchdogWithEncoders, NeverEndsASpinningEncoderOnAFullyLoadedMachine) {
    LoadEveryProcessor();
    EncoderProcess encoder;
    ASSERT_TRUE(encoder.StartEncoder(StandIn("spin 20000")));
    EXPECT_EQ(Watch(encoder, 5), 0);
}

// The process's state letter from /proc, 'X' once it is gone altogether.
char ProcessState(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const auto close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() ? 'X' : text[close + 2];
}

TEST_F(WatchdogWithEncoders, CountsTheWorkOfAChildAndEndsItWithTheEncoder) {
    const test::TempDir dir;
    const std::string pidFile = dir.File("child.pid");
    const std::string script = "\"" KESTRUNE_STAND_IN "\" pid-to-file " +
                               platform::QuoteArgument(pidFile) + " spin 20000; true";
    EncoderProcess wrapper;
    ASSERT_TRUE(wrapper.StartEncoder("/bin/sh -c " + platform::QuoteArgument(script)));
    EXPECT_EQ(Watch(wrapper, 5), 0);

    std::string child;
    std::ifstream(pidFile) >> child;
    ASSERT_FALSE(child.empty());
    EXPECT_EQ(ProcessState(child), 'R');
    wrapper.Terminate();
    ASSERT_TRUE(wrapper.WaitForEnd(10s));
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ProcessState(child) != 'X' && ProcessState(child) != 'Z' &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(ProcessState(child) == 'X' || ProcessState(child) == 'Z');
}

}  // namespace
}  // namespace kestrune::unit1
