// The progress window's layout and window rules, its abort button, and the idle watchdog.
#include "processMP3/ProgressWindow.h"

#include "support/ScriptedCpuMonitor.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

namespace kestrune::processmp3 {
namespace {

using toolkit::Rect;

class ProgressWindowTest : public ::testing::Test {
protected:
    toolkit::headless::HeadlessDriver driver;
    std::unique_ptr<toolkit::Window> owner = toolkit::CreateTopLevelWindow("Kestrune");
    test::ScriptedCpuMonitor monitor{{1.0, 0.0}};
    std::unique_ptr<ProgressWindow> progress = CreateProgressWindow(*owner, 12, monitor);
    int terminations = 0;

    void StartEncoder() {
        BeginEncoder(*progress, [this] { ++terminations; });
    }
};

TEST_F(ProgressWindowTest, IsLaidOutAsAFixedTopmostWindowWithoutCloseCommand) {
    toolkit::Window& window = *progress->window;
    EXPECT_EQ(window.Caption(), "Выполнение");
    EXPECT_EQ(window.ClientSize(), (toolkit::Size{283, 84}));
    EXPECT_EQ(window.Owner(), owner.get());
    EXPECT_TRUE(window.IsTopmost());
    EXPECT_FALSE(window.HasCloseCommand());
    EXPECT_FALSE(window.IsResizable());
    EXPECT_FALSE(driver.RequestClose(window));
    EXPECT_FALSE(window.IsClosed());

    EXPECT_EQ(progress->statusLabel.Text(), " ");
    EXPECT_EQ(progress->doneLabel.Text(), "Выполнено:");
    EXPECT_EQ(progress->abortButton.Text(), "Прервать");
    EXPECT_EQ(progress->activityBar.Bounds(), (Rect{0, 19, 283, 11}));
    EXPECT_EQ(progress->overallBar.Bounds(), (Rect{0, 48, 283, 11}));
    EXPECT_EQ(progress->statusLabel.Left(), 0);
    EXPECT_EQ(progress->statusLabel.Top(), 0);
    EXPECT_EQ(progress->doneLabel.Top(), 30);
    EXPECT_EQ(progress->abortButton.Left(), 198);
    EXPECT_EQ(progress->abortButton.Top(), 62);
    EXPECT_EQ(progress->abortButton.Width(), 86);
    EXPECT_TRUE(progress->activityBar.IsSmooth());
    EXPECT_EQ(progress->activityBar.Maximum(), 100);
    EXPECT_EQ(progress->overallBar.Maximum(), 12);
    EXPECT_EQ(progress->overallBar.Position(), 0);
    EXPECT_TRUE(progress->timer.IsEnabled());
    EXPECT_EQ(progress->timer.Interval(), 1000);
}

TEST_F(ProgressWindowTest, AbortEndsOnlyARunningEncoderAndMarksIt) {
    driver.Click(progress->abortButton);
    EXPECT_EQ(terminations, 0);
    EXPECT_FALSE(progress->abortedByUser);

    StartEncoder();
    driver.Click(progress->abortButton);
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(progress->abortedByUser);
    EXPECT_FALSE(progress->killedByWatchdog);
    EXPECT_TRUE(progress->timer.IsEnabled());

    StartEncoder();
    EXPECT_FALSE(progress->abortedByUser);
}

// Each case: the summed loads of the ticks during one encoder, and the tick (from 1) at
// which the watchdog ends it, or 0 for never.
TEST_F(ProgressWindowTest, WatchdogEndsAnEncoderOnlyAfterTwoIdleTicksInARow) {
    const struct {
        const char* what;
        std::vector<std::vector<double>> ticks;
        int firesAt;
    } cases[] = {
        {"one of two processors kept busy", {{1.0, 0.0}, {0.97, 0.02}, {1.0, 0.0}, {0.99, 0.0}}, 0},
        {"stalled encoder", {{0.0, 0.01}, {0.02, 0.03}}, 2},
        {"idle then busy then idle", {{0.0, 0.0}, {0.5, 0.0}, {0.0, 0.05}, {0.3, 0.3}}, 0},
        {"busy then stalled", {{1.0, 1.0}, {0.0, 0.0}, {0.01, 0.01}}, 3},
        {"failing samples never count", {{0.0}, {}, {}, {0.5}, {0.0}, {}, {0.0}}, 7},
        {"many idle processors in one tick count once", {{0.0, 0.0, 0.0, 0.0}, {0.2, 0.0}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedCpuMonitor scripted{{1.0}};
        auto window = CreateProgressWindow(*owner, 3, scripted);
        int ended = 0;
        BeginEncoder(*window, [&] { ++ended; });
        int firedAt = 0;
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            scripted.Then(c.ticks[i]);
            WatchdogTick(*window);
            if (ended > 0 && firedAt == 0) {
                firedAt = static_cast<int>(i) + 1;
            }
        }
        EXPECT_EQ(firedAt, c.firesAt);
        EXPECT_EQ(ended, c.firesAt == 0 ? 0 : 1);
        EXPECT_EQ(window->killedByWatchdog, c.firesAt != 0);
    }
}

TEST_F(ProgressWindowTest, FiringStopsTheTimerAndDropsTopmostUntilTheNextEncoder) {
    StartEncoder();
    monitor.Then({0.0, 0.0});
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(2000);
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(progress->killedByWatchdog);
    EXPECT_FALSE(progress->timer.IsEnabled());
    EXPECT_FALSE(progress->window->IsTopmost());

    // The next encoder starts with clean flags: one idle tick is not enough to end it.
    EndEncoder(*progress);
    StartEncoder();
    progress->timer.SetEnabled(true);
    EXPECT_FALSE(progress->killedByWatchdog);
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(1000);
    EXPECT_EQ(terminations, 1);
}

TEST_F(ProgressWindowTest, IdleTicksWithoutAnEncoderNeverCount) {
    monitor.Then({0.0, 0.0});
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(2000);
    EXPECT_FALSE(progress->idleSeen);
    StartEncoder();
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(1000);
    EXPECT_EQ(terminations, 0);
    EXPECT_GE(monitor.samples, 3);
}

TEST_F(ProgressWindowTest, ResetClearsTheRunAndRestartsTheTimer) {
    progress->overallBar.SetPosition(7);
    progress->timer.SetEnabled(false);
    progress->killedByWatchdog = true;
    ResetProgress(*progress, 4);
    EXPECT_EQ(progress->overallBar.Position(), 0);
    EXPECT_EQ(progress->overallBar.Maximum(), 4);
    EXPECT_TRUE(progress->timer.IsEnabled());
    EXPECT_FALSE(progress->killedByWatchdog);
}

}  // namespace
}  // namespace kestrune::processmp3
