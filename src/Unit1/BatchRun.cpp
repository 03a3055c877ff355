// The window's run: the folder browser, the run's plan made from the window, the progress
// window as the run's sink (its watchdog, its abort button, the dispatch of the window's
// messages every 100 ms), the list's rows marked as they fail, and the report at the end.
#include "Unit1/BatchRun.h"

#include "Unit1/OptionControls.h"
#include "Unit1/RunReport.h"
#include "Unit1/Runner.h"
#include "processMP3/ProgressWindow.h"

#include <exception>
#include <memory>
#include <new>
#include <vector>

namespace kestrune::unit1 {

namespace {

constexpr const char* kLaunchFailure = "Экскуз.Му. Что-то глючит...\r\nПродолжим дальше?";

// Everything a run must not let the user change under it.
void SetRunControlsEnabled(MainWindow& w, bool enabled) {
    w.optionsPanel->SetEnabled(enabled);
    w.addButton->SetEnabled(enabled);
    w.newListButton->SetEnabled(enabled);
    w.deleteRowButton->SetEnabled(enabled);
    w.compressButton->SetEnabled(enabled);
    w.fileListView->SetAcceptsFiles(enabled);
}

// Everything the user could change under a run is locked while it lives, whatever ends it.
class RunControlsLock {
public:
    explicit RunControlsLock(MainWindow& w) : w_(w) { SetRunControlsEnabled(w_, false); }
    ~RunControlsLock() { SetRunControlsEnabled(w_, true); }
    RunControlsLock(const RunControlsLock&) = delete;
    RunControlsLock& operator=(const RunControlsLock&) = delete;

private:
    MainWindow& w_;
};

// The progress window of the run, known to the main window while it exists, and the sink of
// the run: it shows the run, dispatches the window's messages and marks the failed rows.
class WindowSink final : public RunSink {
public:
    WindowSink(MainWindow& w, int rowCount, std::vector<RowResult>& failures, int& copiedRows)
        : w_(w),
          progress_(processmp3::CreateProgressWindow(*w.window, rowCount, *w.cpuUsageMonitor)),
          failures_(failures),
          copiedRows_(copiedRows) {
        w_.runProgress = progress_.get();
        progress_->window->Show();
    }
    ~WindowSink() override { w_.runProgress = nullptr; }
    WindowSink(const WindowSink&) = delete;
    WindowSink& operator=(const WindowSink&) = delete;

    processmp3::EncoderWatch& EncoderStarted(const FileEntry& row,
                                             processmp3::WatchedEncoder encoder) override {
        return processmp3::BeginEncoder(*progress_, row.outputName, std::move(encoder));
    }
    processmp3::EncoderWatch EncoderEnded(const processmp3::EncoderWatch& watch) override {
        return processmp3::EndEncoder(*progress_, watch);
    }
    void EncoderNotStarted() override {
        const processmp3::WatchdogPause pause(*progress_);
        toolkit::ShowMessage(w_.window.get(), kLaunchFailure, w_.window->Caption());
    }
    void Dispatch() override {
        toolkit::ProcessMessages();
        processmp3::StepActivity(*progress_);
    }
    void RowEnded(const RowResult& result) override {
        if (result.failure) {
            w_.fileListView->SetRowImage(result.row, kRowCreatedImage);
            failures_.push_back(result);
        } else if (result.copied) {
            ++copiedRows_;
        }
    }
    bool Stopping() const override { return w_.closing; }

private:
    MainWindow& w_;
    std::unique_ptr<processmp3::ProgressWindow> progress_;
    std::vector<RowResult>& failures_;
    int& copiedRows_;
};

}  // namespace

RunPlan PlanOfWindow(const MainWindow& w) {
    return {.encoderPath = w.encoderPath,
            .outputFolder = w.outputFolder,
            .options = ReadEncoderOptions(w),
            .rows = w.fileList.Entries(),
            .encoders = w.encoders,
            .keepFolders = w.keepFolders,
            .neverLarger = w.neverLarger};
}

void RunBatch(MainWindow& w) {
    const std::optional<std::string> folder = w.folderDialog->Execute();
    if (!folder) {
        return;
    }
    w.outputFolder = *folder;
    // Failed rows are kept as they fail, so that they are told even when an unexpected
    // failure ends the run.
    std::vector<RowResult> failures;
    int copiedRows = 0;
    std::optional<RunInterruption> interruption;
    try {
        const RunControlsLock lock(w);
        if (!w.fileList.IsEmpty()) {
            const RunPlan plan = PlanOfWindow(w);
            WindowSink sink(w, static_cast<int>(plan.rows.size()), failures, copiedRows);
            ExecuteRunPlan(plan, sink);
        }
    } catch (const std::bad_alloc&) {
        interruption = RunInterruption::outOfMemory;
    } catch (const std::exception&) {
        interruption = RunInterruption::unexpectedFailure;
    }
    if ((!failures.empty() || copiedRows > 0 || interruption) && !w.closing) {
        toolkit::ShowMessage(w.window.get(),
                             RunReportText(std::move(failures), copiedRows, interruption),
                             w.window->Caption());
    }
}

void EndRunForClose(MainWindow& w) {
    w.closing = true;
    if (w.runProgress != nullptr) {
        processmp3::AbortEncoder(*w.runProgress);
    }
}

}  // namespace kestrune::unit1
