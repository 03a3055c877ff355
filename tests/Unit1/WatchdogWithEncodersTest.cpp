// The watchdog on real encoders (the stand-in) while the machine is loaded: it ends an encoder
// that does nothing however busy the rest is, never one that works, and counts the work of
// the processes an encoder starts. Ticks are a quarter of a second apart.
#include "Unit1/EncoderProcess.h"
#include "platform/CommandLine.h"
#include "processMP3/ProgressWindow.h"
#include "support/Processes.h"
#include "support/ScriptedCpuMonitor.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

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
    void SetUp() override { KESTRUNE_SKIP_WITHOUT_PROCESSOR_TIME(); }

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
        const processmp3::EncoderWatch& watch = processmp3::BeginEncoder(
            *progress, "a",
            {.terminate = [&encoder] { encoder.Terminate(); },
             .processorTime = [&encoder] { return encoder.ProcessorTime(); }});
        for (int tick = 1; tick <= ticks; ++tick) {
            std::this_thread::sleep_for(kTick);
            processmp3::WatchdogTick(*progress);
            if (watch.killedByWatchdog) {
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
    EXPECT_TRUE(test::WasTerminated(*encoder.ExitStatus(), kTerminatedExitCode));
    EXPECT_EQ(machineLooksBusy.samples, 0);
}

TEST_F(WatchdogWithEncoders, NeverEndsASpinningEncoderOnAFullyLoadedMachine) {
    LoadEveryProcessor();
    EncoderProcess encoder;
    ASSERT_TRUE(encoder.StartEncoder(StandIn("spin 20000")));
    EXPECT_EQ(Watch(encoder, 5), 0);
}

TEST_F(WatchdogWithEncoders, CountsTheWorkOfAProgramTheEncoderStarted) {
    const test::TempDir dir;
    const std::string pidFile = dir.File("child.pid");
    EncoderProcess wrapper;
    ASSERT_TRUE(wrapper.StartEncoder(test::ThroughShell(
        StandIn("pid-to-file " + platform::QuoteArgument(pidFile) + " spin 20000"))));
    EXPECT_EQ(Watch(wrapper, 5), 0);

    long child = 0;
    std::ifstream(test::PathOf(pidFile)) >> child;
    EXPECT_TRUE(test::IsProcessRunning(child));
}

}  // namespace
}  // namespace kestrune::unit1
