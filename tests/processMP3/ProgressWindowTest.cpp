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

    EncoderWatch& StartEncoder(const std::string& name = "a") {
        return BeginEncoder(*progress, name,
                            {.terminate = [this] { ++terminations; }, .processorTime = {}});
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

TEST_F(ProgressWindowTest, AbortEndsEveryRunningEncoderAndMarksEach) {
    driver.Click(progress->abortButton);
    EXPECT_EQ(terminations, 0);

    EncoderWatch& first = StartEncoder("a");
    EncoderWatch& second = StartEncoder("b");
    EXPECT_EQ(progress->statusLabel.Text(), "Обрабатывается: b");
    driver.Click(progress->abortButton);
    EXPECT_EQ(terminations, 2);
    EXPECT_TRUE(first.abortedByUser);
    EXPECT_TRUE(second.abortedByUser);
    EXPECT_FALSE(first.killedByWatchdog);
    EXPECT_TRUE(progress->timer.IsEnabled());

    EXPECT_TRUE(EndEncoder(*progress, first).abortedByUser);
    EXPECT_EQ(progress->watchdog.Encoders().size(), 1u);
    EXPECT_FALSE(StartEncoder("c").abortedByUser);
}

// One watchdog tick a second: the processor time the encoder used in that second (nothing:
// it cannot be read) and the machine's processor loads (empty: the sample fails).
struct Tick {
    std::optional<int> encoderMilliseconds;
    std::vector<double> loads;
};

// Each case: the ticks during one encoder, and the tick (from 1) at which the watchdog ends
// it, or 0 for never.
TEST_F(ProgressWindowTest, WatchdogEndsAnEncoderOnlyAfterTwoIdleTicksInARow) {
    const std::nullopt_t unreadable = std::nullopt;
    const struct {
        const char* what;
        std::vector<Tick> ticks;
        int firesAt;
    } cases[] = {
        {"working encoder on an idle machine", {{500, {0, 0}}, {900, {0, 0}}, {150, {0, 0}}}, 0},
        {"stalled encoder on a busy machine", {{0, {1, 1}}, {3, {1, 1}}}, 2},
        {"a tenth of a processor is work", {{99, {1}}, {100, {1}}, {99, {1}}, {99, {1}}}, 4},
        {"idle then busy then idle", {{0, {}}, {400, {}}, {0, {}}, {300, {}}}, 0},
        {"unreadable encoder: one of two processors busy",
         {{unreadable, {1.0, 0.0}}, {unreadable, {0.97, 0.02}}, {unreadable, {1.0, 0.0}}},
         0},
        {"unreadable encoder: machine idle", {{unreadable, {0.0, 0.01}}, {unreadable, {0.02}}}, 2},
        {"unreadable encoder: idle processors in one tick count once",
         {{unreadable, {0.0, 0.0, 0.0}}, {unreadable, {0.2, 0.0}}},
         0},
        {"nothing readable: no verdict",
         {{unreadable, {}}, {unreadable, {}}, {unreadable, {}}, {unreadable, {}}},
         0},
        {"ticks without a verdict keep the count",
         {{unreadable, {0.0}},
          {unreadable, {}},
          {unreadable, {0.5}},
          {unreadable, {0.0}},
          {unreadable, {}},
          {unreadable, {0.0}}},
         6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedCpuMonitor scripted{{1.0}};
        auto window = CreateProgressWindow(*owner, 3, scripted);
        auto now = std::chrono::steady_clock::time_point{};
        window->watchdog.clock = [&now] { return now; };
        std::optional<std::chrono::milliseconds> used = std::chrono::milliseconds(0);
        int ended = 0;
        const EncoderWatch& watch = BeginEncoder(
            *window, "a",
            {.terminate = [&] { ++ended; },
             .processorTime =
                 [&] {
                     return used ? std::optional<std::chrono::nanoseconds>(*used) : std::nullopt;
                 }});
        int firedAt = 0;
        std::chrono::milliseconds total{0};
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            now += std::chrono::seconds(1);
            total += std::chrono::milliseconds(c.ticks[i].encoderMilliseconds.value_or(0));
            used = c.ticks[i].encoderMilliseconds ? std::optional(total) : std::nullopt;
            scripted.Then(c.ticks[i].loads);
            WatchdogTick(*window);
            if (ended > 0 && firedAt == 0) {
                firedAt = static_cast<int>(i) + 1;
            }
        }
        EXPECT_EQ(firedAt, c.firesAt);
        EXPECT_EQ(ended, c.firesAt == 0 ? 0 : 1);
        EXPECT_EQ(watch.killedByWatchdog, c.firesAt != 0);
    }
}

TEST_F(ProgressWindowTest, FiringStopsTheTimerAndDropsTopmostUntilTheEncoderHasEnded) {
    const EncoderWatch& stalled = StartEncoder();
    monitor.Then({0.0, 0.0});
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(2000);
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(stalled.killedByWatchdog);
    EXPECT_FALSE(progress->timer.IsEnabled());
    EXPECT_FALSE(progress->window->IsTopmost());

    // The end of the encoder counts the row and restarts the watchdog; the next encoder
    // starts with clean flags: one idle tick is not enough to end it.
    EXPECT_TRUE(EndEncoder(*progress, stalled).killedByWatchdog);
    EXPECT_TRUE(progress->timer.IsEnabled());
    EXPECT_EQ(progress->overallBar.Position(), 1);
    EXPECT_FALSE(StartEncoder().killedByWatchdog);
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(1000);
    EXPECT_EQ(terminations, 1);
}

TEST_F(ProgressWindowTest, IdleTicksWithoutAnEncoderNeverCount) {
    monitor.Then({0.0, 0.0});
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(2000);
    const EncoderWatch& watch = StartEncoder();
    EXPECT_FALSE(watch.idleSeen);
    monitor.Then({0.0, 0.0});
    driver.AdvanceTime(1000);
    EXPECT_TRUE(watch.idleSeen);
    EXPECT_EQ(terminations, 0);
}

TEST_F(ProgressWindowTest, WatchdogEndsOnlyTheEncoderThatStalledAmongSeveral) {
    auto now = std::chrono::steady_clock::time_point{};
    progress->watchdog.clock = [&now] { return now; };
    std::vector<std::chrono::milliseconds> used(3);
    std::vector<int> ended(3);
    std::vector<EncoderWatch*> watches;
    for (std::size_t i = 0; i < used.size(); ++i) {
        watches.push_back(&BeginEncoder(
            *progress, "row",
            {.terminate = [&ended, i] { ++ended[i]; },
             .processorTime = [&used,
                               i] { return std::optional<std::chrono::nanoseconds>(used[i]); }}));
    }
    // Encoders 0 and 2 work; encoder 1 stalls. The machine is never asked.
    for (int tick = 0; tick < 3; ++tick) {
        now += std::chrono::seconds(1);
        used[0] += std::chrono::milliseconds(900);
        used[2] += std::chrono::milliseconds(500);
        WatchdogTick(*progress);
    }
    EXPECT_EQ(ended, (std::vector<int>{0, 1, 0}));
    EXPECT_TRUE(watches[1]->killedByWatchdog);
    EXPECT_EQ(monitor.samples, 0);
    // While the stalled one ends the timer waits; the others keep running and are watched
    // again once it has ended.
    EXPECT_FALSE(progress->timer.IsEnabled());
    EndEncoder(*progress, *watches[1]);
    EXPECT_TRUE(progress->timer.IsEnabled());
    EXPECT_EQ(progress->watchdog.Encoders().size(), 2u);
}

}  // namespace
}  // namespace kestrune::processmp3
