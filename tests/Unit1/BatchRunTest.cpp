// The window's run on the headless toolkit with the stand-in encoder: the progress window's
// statuses and bars, launch failures told in a box, the abort button, the watchdog's timer,
// the controls locked during a run, closing mid-run and the report at the end. What becomes
// of each row and its files is the runner's, tested without a window (RunnerTest).
#include "MainWindowFixture.h"
#include "Unit1/BatchRun.h"
#include "Unit1/ListCommands.h"
#include "platform/File.h"
#include "platform/Locations.h"
#include "processMP3/ProgressWindow.h"
#include "support/Id3Builders.h"
#include "support/Mp3Bytes.h"
#include "support/Processes.h"
#include "support/ScriptedCpuMonitor.h"
#include "support/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <thread>
#include <utility>

namespace kestrune::unit1 {
namespace {

namespace fs = std::filesystem;

constexpr int kAnalysedImage = 1;
constexpr int kCreatedImage = 0;

class BatchRunTest : public MainWindowFixture {
protected:
    BatchRunTest() : w(&Build()) {
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
        fs::create_directories(dir.Path() / "encoder");
        w->encoderPath = KESTRUNE_STAND_IN;
        auto scripted = std::make_unique<test::ScriptedCpuMonitor>(std::vector<double>{1.0, 0.0});
        monitor = scripted.get();
        w->cpuUsageMonitor = std::move(scripted);
        driver.SetProcessMessagesStep(100);
        // No tag version: an output is what the stand-in wrote, byte for byte.
        driver.Click(*w->id3v1Box);
    }

    // Adds rows for valid MP3 files of these names; actions, when not empty, tell the
    // stand-in encoder what to do for that row.
    void AddRows(const std::vector<std::pair<std::string, std::string>>& rows) {
        std::vector<std::string> paths;
        for (const auto& [name, actions] : rows) {
            const std::string path = In(name);
            test::WriteBytes(path, test::Frames(test::kMpeg1Layer3At128, 60));
            if (!actions.empty()) {
                std::ofstream(path + ".actions") << actions;
            }
            paths.push_back(path);
        }
        AddSelection(*w, paths);
    }

    std::string In(const std::string& name) const { return dir.File("in/" + name); }
    std::string Out(const std::string& name) const { return dir.File("out/" + name); }

    void Run(const std::optional<std::string>& folder) {
        driver.QueueFolderResult(folder);
        RunBatch(*w);
    }

    // The encoder, copied where the test may take it away during a run (the run's plan names
    // it from the start) and give it back.
    void UseEncoderCopy() {
        fs::copy_file(KESTRUNE_STAND_IN, test::PathOf(EncoderCopy()));
        w->encoderPath = EncoderCopy();
    }
    std::string EncoderCopy() const { return dir.File("encoder/" + StandInName()); }
    static std::string StandInName() {
        return test::Utf8Of(fs::path(KESTRUNE_STAND_IN).filename());
    }
    void TakeEncoderAway() {
        fs::rename(test::PathOf(EncoderCopy()), test::PathOf(dir.File("away")));
    }
    void GiveEncoderBack() {
        fs::rename(test::PathOf(dir.File("away")), test::PathOf(EncoderCopy()));
    }

    // Runs code at each dispatch of the run's wait loop while the progress window exists.
    void DuringRun(std::function<void(processmp3::ProgressWindow&)> step) {
        driver.SetProcessMessagesHook([this, step = std::move(step)] {
            if (w->runProgress != nullptr) {
                step(*w->runProgress);
            }
        });
    }

    // How many partial files the output folder holds: one for each row whose encoder runs.
    std::size_t Partials() const {
        return static_cast<std::size_t>(std::ranges::count_if(
            fs::directory_iterator(dir.Path() / "out"),
            [](const fs::directory_entry& entry) { return entry.path().extension() == ".part"; }));
    }

    // Every file of the output folder with its bytes.
    std::map<std::string, std::vector<std::uint8_t>> Outputs() const {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : fs::directory_iterator(dir.Path() / "out")) {
            files[entry.path().filename().string()] = test::ReadBytes(entry.path().string());
        }
        return files;
    }

    MainWindow* w;
    test::ScriptedCpuMonitor* monitor = nullptr;
};

TEST_F(BatchRunTest, CancellingTheFolderChangesNothing) {
    AddRows({{"a.mp3", ""}});
    const std::string before = w->outputFolder;
    Run(std::nullopt);
    EXPECT_EQ(w->outputFolder, before);
    EXPECT_EQ(driver.TopLevelWindows().size(), 1u);
    EXPECT_FALSE(fs::exists(Out("a.mp3")));
    EXPECT_TRUE(w->optionsPanel->IsEnabled());
}

TEST_F(BatchRunTest, EmptyListRemembersTheFolderAndShowsNoProgressWindow) {
    Run(dir.File("out"));
    EXPECT_EQ(w->outputFolder, dir.File("out"));
    EXPECT_EQ(driver.TopLevelWindows().size(), 1u);
    EXPECT_TRUE(w->optionsPanel->IsEnabled());
    EXPECT_TRUE(driver.ShownMessages().empty());
}

TEST_F(BatchRunTest, EncodesEveryRowInOrderAndFreesTheWindowAtTheEnd) {
    AddRows({{"a.mp3", "sleep 300"}, {"b.mp3", "sleep 300"}, {"c.mp3", "sleep 300"}});
    std::vector<std::string> statuses;
    int overallMaximum = 0;
    int lastOverall = 0;
    bool panelDisabled = true;
    DuringRun([&](processmp3::ProgressWindow& progress) {
        if (statuses.empty() || statuses.back() != progress.statusLabel.Text()) {
            statuses.push_back(progress.statusLabel.Text());
        }
        overallMaximum = progress.overallBar.Maximum();
        lastOverall = progress.overallBar.Position();
        panelDisabled = panelDisabled && !w->optionsPanel->IsEnabled();
        EXPECT_TRUE(progress.window->IsVisible());
    });
    Run(dir.File("out"));
    EXPECT_EQ(statuses, (std::vector<std::string>{"Обрабатывается: a", "Обрабатывается: b",
                                                  "Обрабатывается: c"}));
    EXPECT_EQ(overallMaximum, 3);
    EXPECT_EQ(lastOverall, 2);  // the last dispatch happens while row c runs
    EXPECT_TRUE(panelDisabled);
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        EXPECT_EQ(test::ReadBytes(Out(name)).size(), std::string("partial encoded").size());
    }
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(w->fileListView->RowImage(row), kAnalysedImage);
    }
    EXPECT_EQ(w->runProgress, nullptr);
    EXPECT_EQ(driver.TopLevelWindows().size(), 1u);  // the progress window is freed
    EXPECT_TRUE(w->optionsPanel->IsEnabled());
    EXPECT_TRUE(driver.ShownMessages().empty());
}

TEST_F(BatchRunTest, LaunchFailureIsToldOnceAndTheRunGoesOn) {
    AddRows({{"a.mp3", "sleep 300"}, {"b.mp3", ""}, {"c.mp3", "sleep 300"}});
    UseEncoderCopy();
    std::string statusWhileShown;
    int overallDuringLastRow = 0;
    bool taken = false;
    DuringRun([&](processmp3::ProgressWindow&) {
        if (!std::exchange(taken, true)) {
            TakeEncoderAway();  // gone once row a has started
        }
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok, [&] {
        statusWhileShown = w->runProgress->statusLabel.Text();
        GiveEncoderBack();
        DuringRun([&](processmp3::ProgressWindow& progress) {
            overallDuringLastRow = progress.overallBar.Position();
        });
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);  // the final report
    Run(dir.File("out"));
    ASSERT_EQ(driver.ShownMessages().size(), 2u);
    EXPECT_EQ(driver.ShownMessages()[0].text, "Экскуз.Му. Что-то глючит...\r\nПродолжим дальше?");
    EXPECT_EQ(driver.ShownMessages()[0].caption, "Kestrune");
    EXPECT_EQ(statusWhileShown, "Обрабатывается: a");
    EXPECT_NE(driver.ShownMessages()[1].text.find("b — не удалось запустить кодек"),
              std::string::npos);
    EXPECT_EQ(w->fileListView->RowImage(1), kCreatedImage);
    EXPECT_TRUE(fs::exists(Out("a.mp3")));
    EXPECT_FALSE(fs::exists(Out("b.mp3")));
    EXPECT_TRUE(fs::exists(Out("c.mp3")));
    EXPECT_EQ(overallDuringLastRow, 1);  // row b never advanced the bar
}

TEST_F(BatchRunTest, AbortEndsOnlyTheCurrentEncoderAndDeletesItsPartialOutput) {
    AddRows({{"a.mp3", "sleep 20000"}, {"b.mp3", ""}});
    int dispatches = 0;
    DuringRun([&](processmp3::ProgressWindow& progress) {
        if (++dispatches == 3) {
            EXPECT_EQ(Partials(), 1u);
            EXPECT_TRUE(driver.Click(progress.abortButton));
        }
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    Run(dir.File("out"));
    EXPECT_FALSE(fs::exists(Out("a.mp3")));
    EXPECT_EQ(Partials(), 0u);
    EXPECT_TRUE(fs::exists(Out("b.mp3")));
    EXPECT_EQ(w->fileListView->RowImage(0), kCreatedImage);
    EXPECT_EQ(w->fileListView->RowImage(1), kAnalysedImage);
    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    EXPECT_NE(driver.ShownMessages()[0].text.find("a — прервано"), std::string::npos);
}

TEST_F(BatchRunTest, StalledEncoderIsEndedAfterTwoIdleTicksAndOnlyItsRowIsMarked) {
    AddRows({{"a.mp3", ""}, {"b.mp3", "sleep 20000"}, {"c.mp3", ""}});
    monitor->Then({0.0, 0.0});  // every tick from now on finds the processors idle
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    Run(dir.File("out"));
    EXPECT_EQ(w->fileListView->RowImage(0), kAnalysedImage);
    EXPECT_EQ(w->fileListView->RowImage(1), kCreatedImage);
    EXPECT_EQ(w->fileListView->RowImage(2), kAnalysedImage);
    EXPECT_FALSE(fs::exists(Out("b.mp3")));
    EXPECT_TRUE(fs::exists(Out("c.mp3")));
    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    EXPECT_NE(driver.ShownMessages()[0].text.find("b — кодек завис и был остановлен"),
              std::string::npos);
}

TEST_F(BatchRunTest, WorkingEncoderIsNeverEndedWhileTheMachineLooksIdle) {
    KESTRUNE_SKIP_WITHOUT_PROCESSOR_TIME();
    AddRows({{"a.mp3", "spin 2500"}});
    monitor->Then({0.0, 0.0});
    Run(dir.File("out"));
    EXPECT_TRUE(driver.ShownMessages().empty());
    EXPECT_EQ(test::ReadBytes(Out("a.mp3")).size(), std::string("partial encoded").size());
}

TEST_F(BatchRunTest, ActivityBarWrapsAtItsEndAndCarriesOverBetweenRows) {
    AddRows({{"a.mp3", "sleep 500"}, {"b.mp3", "sleep 500"}});
    std::vector<int> positions;
    DuringRun([&](processmp3::ProgressWindow& progress) {
        if (positions.empty()) {
            progress.activityBar.SetPosition(97);
        }
        positions.push_back(progress.activityBar.Position());
    });
    Run(dir.File("out"));
    ASSERT_GE(positions.size(), 6u);
    EXPECT_EQ(positions[1], 98);
    EXPECT_EQ(positions[2], 99);
    EXPECT_EQ(positions[3], 0);
    for (std::size_t i = 4; i < positions.size(); ++i) {
        EXPECT_EQ(positions[i], positions[i - 1] + 1) << "never reset between rows";
    }
}

TEST_F(BatchRunTest, ProgressWindowCannotBeClosedAndListCommandsAreLockedDuringTheRun) {
    AddRows({{"a.mp3", "sleep 300"}});
    bool checked = false;
    DuringRun([&](processmp3::ProgressWindow& progress) {
        EXPECT_FALSE(driver.RequestClose(*progress.window));
        for (toolkit::Control* button : {static_cast<toolkit::Control*>(w->addButton),
                                         static_cast<toolkit::Control*>(w->newListButton),
                                         static_cast<toolkit::Control*>(w->deleteRowButton),
                                         static_cast<toolkit::Control*>(w->compressButton)}) {
            EXPECT_FALSE(driver.Click(*button));
        }
        EXPECT_FALSE(driver.RightClick(*w->compressButton)) << "the run's settings stay";
        checked = true;
    });
    Run(dir.File("out"));
    EXPECT_TRUE(checked);
    EXPECT_EQ(w->fileList.Count(), 1);
    EXPECT_TRUE(w->addButton->IsEffectivelyEnabled());
    EXPECT_TRUE(w->compressButton->IsEffectivelyEnabled());
}

TEST_F(BatchRunTest, ClosingTheMainWindowMidRunEndsTheEncoderAndWritesTheSettings) {
    AddRows({{"a.mp3", "sleep 20000"}, {"b.mp3", ""}});
    int dispatches = 0;
    DuringRun([&](processmp3::ProgressWindow&) {
        if (++dispatches == 3) {
            EXPECT_TRUE(driver.RequestClose(*w->window));
        }
    });
    Run(dir.File("out"));
    EXPECT_TRUE(w->window->IsClosed());
    EXPECT_FALSE(fs::exists(Out("a.mp3")));
    EXPECT_FALSE(fs::exists(Out("b.mp3")));
    EXPECT_TRUE(driver.ShownMessages().empty());
    const std::string text = test::SettingsFileText(platform::SettingsFilePath());
    EXPECT_NE(text.find("PatchOut=" + dir.File("out")), std::string::npos);
}

TEST_F(BatchRunTest, FilesDroppedDuringARunAreRefused) {
    AddRows({{"a.mp3", "sleep 300"}});
    test::WriteBytes(In("dropped.mp3"), test::Frames(test::kMpeg1Layer3At128, 60));
    bool refused = false;
    DuringRun([&](processmp3::ProgressWindow&) {
        refused = !driver.DropFiles(*w->fileListView, {In("dropped.mp3")});
    });
    Run(dir.File("out"));
    EXPECT_TRUE(refused);
    EXPECT_EQ(w->fileList.Count(), 1);
    EXPECT_EQ(w->fileListView->RowCount(), 1);
    EXPECT_TRUE(driver.DropFiles(*w->fileListView, {In("dropped.mp3")}));
    EXPECT_EQ(w->fileListView->RowCount(), 2);
}

TEST_F(BatchRunTest, SeveralEncodersStartRowsInListOrderAndJudgeEachOnItsOwn) {
    // The stalled row is told from the working ones by the processor time of each.
    KESTRUNE_SKIP_WITHOUT_PROCESSOR_TIME();
    AddRows({{"a.mp3", "sleep 600"},
             {"b.mp3", "sleep 100 say-stderr Broken exit 3"},
             {"c.mp3", "sleep 20000"},
             {"d.mp3", "sleep 300"},
             {"e.mp3", "sleep 300"},
             {"f.mp3", "spin 20000"}});
    // A second "f", whose output name depends on how the first one ends.
    fs::create_directories(dir.Path() / "in2");
    const std::string twin = dir.File("in2/f.mp3");
    test::WriteBytes(twin, test::Frames(test::kMpeg1Layer3At128, 60));
    std::ofstream(twin + ".actions") << "sleep 300";
    AddSelection(*w, {twin});

    std::vector<std::pair<std::map<std::string, std::vector<std::uint8_t>>, std::string>> results;
    for (const int encoders : {1, 3}) {
        SCOPED_TRACE(encoders);
        fs::remove_all(dir.Path() / "out");
        fs::create_directories(dir.Path() / "out");
        w->encoders = encoders;
        std::size_t mostRunning = 0;
        std::vector<std::string> statuses;
        bool aborted = false;
        DuringRun([&](processmp3::ProgressWindow& progress) {
            const std::size_t partials = Partials();
            mostRunning = std::max(mostRunning, partials);
            EXPECT_EQ(progress.watchdog.Encoders().size(), partials);
            if (statuses.empty() || statuses.back() != progress.statusLabel.Text()) {
                statuses.push_back(progress.statusLabel.Text());
            }
            // Once the stalled row has been ended, the first "f" is the only one running: its
            // twin waits for its output name.
            if (!aborted && partials == 1 && statuses.back() == "Обрабатывается: f") {
                aborted = driver.Click(progress.abortButton);
            }
        });
        driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
        Run(dir.File("out"));
        EXPECT_EQ(mostRunning, static_cast<std::size_t>(encoders));
        EXPECT_TRUE(std::ranges::is_sorted(statuses)) << "rows start in list order";
        EXPECT_EQ(statuses.back(), "Обрабатывается: f");
        ASSERT_EQ(driver.ShownMessages().size(), results.size() + 1);
        results.emplace_back(Outputs(), driver.ShownMessages().back().text);
    }
    EXPECT_EQ(results[0].second,
              "Не все файлы удалось сжать:\r\n\r\nb — ошибка кодека: Broken\r\n"
              "c — кодек завис и был остановлен\r\nf — прервано");
    EXPECT_EQ(results[1].second, results[0].second);
    const auto encoded = test::BytesOf("partial encoded");
    EXPECT_EQ(results[0].first,
              (std::map<std::string, std::vector<std::uint8_t>>{
                  {"a.mp3", encoded}, {"d.mp3", encoded}, {"e.mp3", encoded}, {"f.mp3", encoded}}));
    EXPECT_EQ(results[1].first, results[0].first);
}

TEST_F(BatchRunTest, AnEncoderThatEndsWhileALaunchFailureIsShownIsNotTakenForStalled) {
    AddRows({{"a.mp3", "sleep 300"}, {"b.mp3", "sleep 700"}, {"c.mp3", ""}});
    w->encoders = 2;
    UseEncoderCopy();
    bool taken = false;
    DuringRun([&](processmp3::ProgressWindow&) {
        if (!std::exchange(taken, true)) {
            TakeEncoderAway();  // row c will not start
        }
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok, [&] {
        GiveEncoderBack();
        std::this_thread::sleep_for(std::chrono::milliseconds(800));  // row b ends meanwhile
        driver.AdvanceTime(3000);  // the box's own message loop would let the timer tick
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    Run(dir.File("out"));
    ASSERT_EQ(driver.ShownMessages().size(), 2u);
    const std::string& report = driver.ShownMessages()[1].text;
    EXPECT_NE(report.find("c — не удалось запустить кодек"), std::string::npos) << report;
    EXPECT_EQ(report.find("b —"), std::string::npos) << report;
    EXPECT_TRUE(fs::exists(Out("b.mp3")));
}

// While the user holds a window drag, a menu or a scroll bar, Windows runs the timer in a
// loop of its own and nobody waits for the encoders: one that has ended meanwhile looks idle.
TEST_F(BatchRunTest, AnEncoderThatEndsWhileNobodyWaitsForItIsNotTakenForStalled) {
    AddRows({{"a.mp3", "sleep 200"}});
    monitor->Then({0.0, 0.0});
    bool held = false;
    DuringRun([&](processmp3::ProgressWindow&) {
        if (!std::exchange(held, true)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(600));  // row a ends
            driver.AdvanceTime(3000);  // the timer ticks three times in the held loop
        }
    });
    Run(dir.File("out"));
    EXPECT_TRUE(driver.ShownMessages().empty());
    EXPECT_TRUE(fs::exists(Out("a.mp3")));
    EXPECT_EQ(w->fileListView->RowImage(0), kAnalysedImage);
}

TEST_F(BatchRunTest, AnUnexpectedFailureStillReportsTheRowsThatFailedBeforeIt) {
    AddRows({{"a.mp3", "say-stderr Broken exit 3"}, {"b.mp3", "sleep 20000"}});
    DuringRun([&](processmp3::ProgressWindow& progress) {
        if (w->fileListView->RowImage(0) == kCreatedImage &&
            progress.watchdog.Encoders().size() == 1) {
            throw std::runtime_error("internal");  // row a has failed, row b runs
        }
    });
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    Run(dir.File("out"));
    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    EXPECT_EQ(driver.ShownMessages()[0].text,
              "Не все файлы удалось сжать:\r\n\r\na — ошибка кодека: Broken\r\n\r\n"
              "Сжатие прервано из-за непредвиденной ошибки программы.");
    EXPECT_EQ(Partials(), 0u);
    EXPECT_TRUE(w->optionsPanel->IsEnabled());
}

TEST_F(BatchRunTest, ClosingMidRunEndsEveryRunningEncoderAndLeavesNoFileBehind) {
    AddRows({{"a.mp3", "sleep 20000"}, {"b.mp3", "sleep 20000"}, {"c.mp3", ""}});
    w->encoders = 2;
    int dispatches = 0;
    DuringRun([&](processmp3::ProgressWindow& progress) {
        if (++dispatches == 3) {
            EXPECT_EQ(progress.watchdog.Encoders().size(), 2u);
            EXPECT_TRUE(driver.RequestClose(*w->window));
        }
    });
    Run(dir.File("out"));
    EXPECT_TRUE(w->window->IsClosed());
    EXPECT_TRUE(fs::is_empty(dir.Path() / "out"));
    EXPECT_TRUE(driver.ShownMessages().empty());
}

}  // namespace
}  // namespace kestrune::unit1
