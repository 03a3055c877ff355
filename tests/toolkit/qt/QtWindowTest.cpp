// The Qt top-level window: closing by request and by the user, the message loop, timers,
// the topmost flag, the minimum size and the docking of its children.
#include "QtTestWindow.h"

#include <QCloseEvent>
#include <QTest>

#include <string>
#include <thread>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

using WindowTest = QtTestWindow;

// Dispatches until the condition holds or a second has gone by.
template <class Condition>
bool DispatchUntil(Condition condition) {
    for (int i = 0; i < 100 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ProcessMessages();
    }
    return condition();
}

// Asks the window to close as the title bar's close button does.
void CloseByUser(Window& window) {
    QCloseEvent event;
    QCoreApplication::sendEvent(&WidgetOf(window), &event);
}

TEST_F(WindowTest, PostCloseClosesOnlyWhenMessagesAreDispatchedRunningOnCloseFirst) {
    Timer& timer = window->AddTimer(5);
    timer.SetEnabled(true);
    std::vector<std::string> seen;
    window->onClose = [&] { seen.push_back(window->IsVisible() ? "open" : "hidden"); };

    window->PostClose();
    EXPECT_FALSE(window->IsClosed());
    ProcessMessages();

    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->IsVisible());
    EXPECT_FALSE(timer.IsEnabled());
    EXPECT_EQ(seen, (std::vector<std::string>{"open"}));
    window->Show();
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(WindowTest, TheUserCannotCloseAWindowWithoutItsCloseCommandButPostCloseCan) {
    int closes = 0;
    window->onClose = [&] { ++closes; };
    window->RemoveCloseCommand();
    EXPECT_FALSE(window->HasCloseCommand());
    EXPECT_TRUE(window->IsVisible());

    CloseByUser(*window);
    EXPECT_FALSE(window->IsClosed());
    EXPECT_EQ(closes, 0);

    window->PostClose();
    ProcessMessages();
    EXPECT_TRUE(window->IsClosed());
    EXPECT_EQ(closes, 1);
}

TEST_F(WindowTest, TheUserClosesAWindowWithItsCloseCommandOnce) {
    int closes = 0;
    window->onClose = [&] { ++closes; };
    CloseByUser(*window);
    CloseByUser(*window);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(FindTopLevelWindow("Test"));
}

TEST_F(WindowTest, TheMessageLoopEndsWhenTheMainWindowCloses) {
    const auto main = CreateTopLevelWindow("Main");
    Timer& timer = main->AddTimer(10);
    int ticks = 0;
    timer.onTick = [&] {
        if (++ticks == 3) {
            main->PostClose();
        }
    };
    timer.SetEnabled(true);
    EXPECT_TRUE(FindTopLevelWindow("Main"));
    RunMessageLoop(*main);
    EXPECT_TRUE(main->IsClosed());
    EXPECT_EQ(ticks, 3);
}

TEST_F(WindowTest, TimersTickOnlyInsideMessageDispatchingAndStopWhenDisabled) {
    Timer& timer = window->AddTimer(10);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    timer.SetEnabled(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(DispatchUntil([&] { return ticks > 0; }));

    timer.SetEnabled(false);
    const int stoppedAt = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ProcessMessages();
    EXPECT_EQ(ticks, stoppedAt);
    EXPECT_EQ(timer.Interval(), 10);
}

TEST_F(WindowTest, TopmostTurnsOnAndOffAndTheWindowStaysShown) {
    EXPECT_FALSE(window->IsTopmost());
    for (const bool topmost : {true, false, true}) {
        window->SetTopmost(topmost);
        EXPECT_EQ(window->IsTopmost(), topmost);
        EXPECT_TRUE(window->IsVisible());
        EXPECT_EQ(window->ClientSize(), (Size{400, 300}));
    }
}

TEST_F(WindowTest, TheMinimumOuterSizeHoldsForTheProgramAndTheUser) {
    window->SetMinimumSize({555, 260});
    EXPECT_GE(window->Width(), 555);
    EXPECT_GE(window->Height(), 260);

    window->SetBounds({185, 84, 300, 100});
    EXPECT_EQ(window->Width(), 555);
    EXPECT_EQ(window->Height(), 260);

    window->SetClientSize({100, 100});
    EXPECT_EQ(window->Width(), 555);
    EXPECT_EQ(
        WidgetOf(*window).minimumSize().width() + window->Width() - window->ClientSize().width,
        555);

    window->SetBounds({185, 84, 700, 400});
    EXPECT_EQ(window->Bounds(), (Rect{185, 84, 700, 400}));
}

TEST_F(WindowTest, AWindowThatIsNotResizableKeepsItsSizeButTheProgramMayChangeIt) {
    window->SetResizable(false);
    EXPECT_EQ(WidgetOf(*window).minimumSize(), WidgetOf(*window).maximumSize());
    window->SetClientSize({283, 84});
    EXPECT_EQ(window->ClientSize(), (Size{283, 84}));
    EXPECT_EQ(WidgetOf(*window).maximumSize(), QSize(283, 84));
}

TEST_F(WindowTest, DockedChildrenArePlacedBeforeOnResizeRuns) {
    Panel& left = window->AddPanel();
    Panel& right = window->AddPanel();
    left.SetWidth(329);
    left.SetDocking(Dock::Left);
    right.SetWidth(307);
    right.SetDocking(Dock::Right);
    Button& save = right.AddButton("Save");
    save.SetHeight(18);
    save.SetDocking(Dock::Bottom);
    std::vector<Rect> seen;
    window->onResize = [&] { seen.push_back(right.Bounds()); };

    window->SetClientSize({641, 246});

    EXPECT_EQ(left.Bounds(), (Rect{0, 0, 329, 246}));
    EXPECT_EQ(right.Bounds(), (Rect{334, 0, 307, 246}));
    EXPECT_EQ(save.Bounds(), (Rect{0, 228, 307, 18}));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), right.Bounds());
}

TEST_F(WindowTest, AHiddenWindowPlacesItsChildrenAndReportsItsSizeToo) {
    const auto hidden = CreateTopLevelWindow("Hidden");
    Panel& panel = hidden->AddPanel();
    panel.SetDocking(Dock::Fill);
    int resizes = 0;
    hidden->onResize = [&] { ++resizes; };
    hidden->SetClientSize({283, 84});
    EXPECT_EQ(panel.Bounds(), (Rect{0, 0, 283, 84}));
    EXPECT_EQ(resizes, 1);
    hidden->Show();
    ProcessMessages();
    EXPECT_GE(resizes, 2);
}

TEST_F(WindowTest, AnOwnedWindowKnowsItsOwner) {
    const auto progress = CreateTopLevelWindow("Выполнение", window.get());
    EXPECT_EQ(progress->Owner(), window.get());
    EXPECT_EQ(progress->Caption(), "Выполнение");
    EXPECT_EQ(progress->Parent(), nullptr);
    EXPECT_TRUE(WidgetOf(*progress).isWindow());
}

}  // namespace
}  // namespace kestrune::toolkit::qt
