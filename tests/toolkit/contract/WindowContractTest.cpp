// The window's contract: closing by request and by the user, the message loop, timers, its
// flags, the minimum outer size and the docking of its children.
#include "ContractFixture.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::contract {
namespace {

TEST_F(Contract, PostCloseWaitsForTheMessagesAndRunsOnCloseFirst) {
    Timer& timer = window->AddTimer(5);
    timer.SetEnabled(true);
    std::vector<std::string> seen;
    window->onClose = [&] { seen.push_back(window->IsClosed() ? "closed" : "open"); };

    window->PostClose();
    EXPECT_FALSE(window->IsClosed());
    driver->Dispatch(0);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->IsVisible());
    EXPECT_FALSE(timer.IsEnabled());
    EXPECT_EQ(seen, (std::vector<std::string>{"open"}));
    window->PostClose();
    driver->Dispatch(0);
    window->Show();
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Contract, TheUserClosesAWindowOnlyWithItsCloseCommandAndOnce) {
    auto progress = CreateTopLevelWindow("Выполнение", window.get());
    progress->Show();
    progress->RemoveCloseCommand();
    int closes = 0;
    progress->onClose = [&] { ++closes; };
    EXPECT_FALSE(driver->RequestClose(*progress));
    EXPECT_FALSE(progress->IsClosed());
    progress->PostClose();
    driver->Dispatch(0);
    EXPECT_TRUE(progress->IsClosed());
    EXPECT_EQ(closes, 1);

    EXPECT_TRUE(driver->RequestClose(*window));
    EXPECT_FALSE(driver->RequestClose(*window));
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(FindTopLevelWindow("Test"));
}

TEST_F(Contract, TheMessageLoopEndsWhenTheMainWindowCloses) {
    const auto main = CreateTopLevelWindow("Main");
    int closes = 0;
    main->onClose = [&] { ++closes; };
    main->PostClose();
    RunMessageLoop(*main);
    EXPECT_TRUE(main->IsClosed());
    EXPECT_EQ(closes, 1);
}

TEST_F(Contract, TimersTickOnlyWhileEnabledAndMessagesAreDispatched) {
    Timer& timer = window->AddTimer(10);
    EXPECT_EQ(timer.Interval(), 10);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    driver->Dispatch(50);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    driver->Dispatch(100);
    EXPECT_GT(ticks, 0);

    timer.SetEnabled(false);
    const int stoppedAt = ticks;
    driver->Dispatch(50);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(Contract, FlagsTurnOnAndOffAndTheWindowStaysAsItWas) {
    for (const bool topmost : {true, false, true}) {
        window->SetTopmost(topmost);
        EXPECT_EQ(window->IsTopmost(), topmost);
        EXPECT_TRUE(window->IsVisible());
        EXPECT_EQ(window->ClientSize(), (Size{400, 300}));
    }
    EXPECT_TRUE(window->HasCloseCommand());
    const auto progress = CreateTopLevelWindow("Выполнение", window.get());
    EXPECT_EQ(progress->Owner(), window.get());
    EXPECT_EQ(progress->Caption(), "Выполнение");
    EXPECT_EQ(progress->Parent(), nullptr);
    EXPECT_FALSE(progress->IsVisible());
}

TEST_F(Contract, TheMinimumOuterSizeHoldsForTheProgramAndTheUser) {
    window->SetMinimumSize({555, 260});
    EXPECT_GE(window->Width(), 555);
    EXPECT_GE(window->Height(), 260);
    window->SetBounds({185, 84, 300, 100});
    EXPECT_EQ(window->Width(), 555);
    EXPECT_EQ(window->Height(), 260);
    window->SetClientSize({100, 100});
    EXPECT_EQ(window->Width(), 555);
    EXPECT_TRUE(driver->ResizeByUser(*window, {500, 400}));
    EXPECT_EQ(window->Width(), 555);

    window->SetBounds({185, 84, 700, 400});
    EXPECT_EQ(window->Bounds(), (Rect{185, 84, 700, 400}));
    window->SetResizable(false);
    EXPECT_FALSE(driver->ResizeByUser(*window, {900, 600}));
    EXPECT_EQ(window->Width(), 700);
    window->SetMinimumSize({0, 0});
    window->SetClientSize({283, 84});
    EXPECT_EQ(window->ClientSize(), (Size{283, 84}));
}

TEST_F(Contract, DockedChildrenArePlacedBeforeOnResizeRuns) {
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

    right.SetWidth(200);
    EXPECT_EQ(save.Bounds(), (Rect{0, 228, 200, 18}));
}

TEST_F(Contract, AHiddenWindowPlacesItsChildrenAndReportsItsSizeOnceShown) {
    const auto hidden = CreateTopLevelWindow("Hidden");
    Panel& panel = hidden->AddPanel();
    panel.SetDocking(Dock::Fill);
    int resizes = 0;
    hidden->onResize = [&] { ++resizes; };
    hidden->SetClientSize({283, 84});
    EXPECT_EQ(panel.Bounds(), (Rect{0, 0, 283, 84}));
    EXPECT_EQ(resizes, 1);
    hidden->Show();
    driver->Dispatch(0);
    EXPECT_GE(resizes, 2);
}

}  // namespace
}  // namespace kestrune::toolkit::contract
