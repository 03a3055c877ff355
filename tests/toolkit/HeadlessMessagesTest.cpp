// What only the headless back end has: timers on the virtual clock, posted closes of freed
// windows, queued answers for message boxes, dialogs and context menus, and the records of beeps,
// shell opens and windows.
#include "toolkit/Toolkit.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kestrune::toolkit::headless {
namespace {

class HeadlessMessages : public ::testing::Test {
protected:
    HeadlessDriver driver;
    std::unique_ptr<Window> window = CreateTopLevelWindow("Kestrune");
};

TEST_F(HeadlessMessages, TimerTicksOnlyWhileEnabledAndOnlyWhenDue) {
    Timer& timer = window->AddTimer(1000);
    std::vector<std::int64_t> ticks;
    timer.onTick = [&] { ticks.push_back(driver.Now()); };

    driver.AdvanceTime(1500);
    EXPECT_TRUE(ticks.empty());

    timer.SetEnabled(true);
    driver.AdvanceTime(999);
    ProcessMessages();
    EXPECT_TRUE(ticks.empty());
    driver.AdvanceTime(2001);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{2500, 3500, 4500}));

    timer.SetEnabled(true);  // already running: the interval goes on
    driver.AdvanceTime(1000);
    EXPECT_EQ(ticks.back(), 5500);

    timer.SetEnabled(false);
    driver.AdvanceTime(5000);
    EXPECT_EQ(ticks.size(), 4u);
}

TEST_F(HeadlessMessages, TicksMissedWhileBusyComeAsOne) {
    Timer& timer = window->AddTimer(1000);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    timer.SetEnabled(true);
    driver.SetProcessMessagesStep(3500);
    ProcessMessages();
    EXPECT_EQ(ticks, 1);
}

TEST_F(HeadlessMessages, WaitSlicesOfAHundredMillisecondsGiveOneTickPerSecond) {
    Timer& watchdog = window->AddTimer(1000);
    int ticks = 0;
    int hookRuns = 0;
    watchdog.onTick = [&] { ++ticks; };
    watchdog.SetEnabled(true);
    driver.SetProcessMessagesStep(100);
    driver.SetProcessMessagesHook([&] { ++hookRuns; });
    for (int slice = 0; slice < 25; ++slice) {
        ProcessMessages();
    }
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(hookRuns, 25);
    EXPECT_EQ(driver.Now(), 2500);
}

TEST_F(HeadlessMessages, PostedCloseOfAFreedWindowIsDropped) {
    auto progress = CreateTopLevelWindow("Выполнение", window.get());
    progress->PostClose();
    progress.reset();
    ProcessMessages();
    EXPECT_EQ(driver.TopLevelWindows(), std::vector<Window*>{window.get()});
}

TEST_F(HeadlessMessages, MessageBoxesTakeQueuedAnswersAndAreRecorded) {
    driver.QueueMessageAnswer(MessageAnswer::No);
    driver.QueueMessageAnswer(MessageAnswer::Ok, [&] { driver.AdvanceTime(2000); });

    EXPECT_EQ(ShowMessage(window.get(), "Будем искать?", "Kestrune", MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(
        ShowMessage(window.get(), "нет", "Kestrune", MessageButtons::Ok, MessageIcon::Information),
        MessageAnswer::Ok);

    ASSERT_EQ(driver.ShownMessages().size(), 2u);
    const ShownMessage& second = driver.ShownMessages()[1];
    EXPECT_EQ(second.owner, window.get());
    EXPECT_EQ(second.text, "нет");
    EXPECT_EQ(second.caption, "Kestrune");
    EXPECT_EQ(second.buttons, MessageButtons::Ok);
    EXPECT_EQ(second.icon, MessageIcon::Information);
    EXPECT_EQ(driver.Now(), 2000);
    EXPECT_EQ(driver.PendingAnswers(), 0u);
}

TEST_F(HeadlessMessages, UnexpectedOrImpossibleAnswersFailLoudly) {
    EXPECT_THROW(ShowMessage(window.get(), "?", "Kestrune"), UnexpectedDialog);
    driver.QueueMessageAnswer(MessageAnswer::Yes);
    EXPECT_THROW(ShowMessage(window.get(), "?", "Kestrune", MessageButtons::Ok), UnexpectedDialog);
    EXPECT_THROW(window->AddOpenDialog().Execute(), UnexpectedDialog);
    EXPECT_THROW(window->AddFolderDialog().Execute(), UnexpectedDialog);
    EXPECT_EQ(driver.ShownMessages().size(), 2u);
    const std::vector<MenuItem> menu{{"Все сразу", false}};
    EXPECT_THROW(ShowContextMenu(*window, menu), UnexpectedDialog);
    driver.QueueMenuChoice(1);
    EXPECT_THROW(ShowContextMenu(*window, menu), UnexpectedDialog);
}

TEST_F(HeadlessMessages, DialogsAnswerFromTheirQueuesAndRecordTheirSettings) {
    OpenDialog& open = window->AddOpenDialog();
    open.SetMultipleSelection(true);
    open.SetFilters({{"MP3 Encoder LAME.EXE", "LAME.EXE"}});
    open.SetTitle("Поиск кодека LAME");
    FolderDialog& folders = window->AddFolderDialog();
    folders.SetTitle("Выбор папки");
    folders.SetInitialFolder("/home/u/TeMP3");
    driver.QueueOpenDialogResult("/music\ra.mp3\rb.mp3");
    driver.QueueOpenDialogResult(std::nullopt);
    driver.QueueFolderResult("/out");

    EXPECT_EQ(open.Execute(), "/music\ra.mp3\rb.mp3");
    open.SetFilters({{"Файлы MP3", "*.mp3"}});
    EXPECT_EQ(open.Execute(), std::nullopt);
    EXPECT_EQ(folders.Execute(), "/out");

    ASSERT_EQ(driver.OpenDialogRequests().size(), 2u);
    const OpenDialogRequest& second = driver.OpenDialogRequests()[1];
    EXPECT_EQ(second.owner, window.get());
    EXPECT_EQ(second.title, "Поиск кодека LAME");
    EXPECT_EQ(second.filters, (std::vector<FileFilter>{{"Файлы MP3", "*.mp3"}}));
    EXPECT_TRUE(second.multipleSelection);
    ASSERT_EQ(driver.FolderDialogRequests().size(), 1u);
    EXPECT_EQ(driver.FolderDialogRequests()[0].initialFolder, "/home/u/TeMP3");
}

TEST_F(HeadlessMessages, WindowsBeepsAndShellOpensAreSeen) {
    EXPECT_FALSE(FindTopLevelWindow("Справка"));
    driver.AddForeignWindow("Справка");
    EXPECT_TRUE(FindTopLevelWindow("Справка"));
    EXPECT_TRUE(FindTopLevelWindow("Kestrune"));
    window->PostClose();
    ProcessMessages();
    EXPECT_FALSE(FindTopLevelWindow("Kestrune"));

    Beep();
    Beep();
    EXPECT_EQ(driver.BeepCount(), 2);
    EXPECT_TRUE(ShellOpen("/opt/kestrune/Help.chm"));
    EXPECT_EQ(driver.ShellOpens(), std::vector<std::string>{"/opt/kestrune/Help.chm"});
}

}  // namespace
}  // namespace kestrune::toolkit::headless
