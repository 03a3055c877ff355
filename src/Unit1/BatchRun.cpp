// Runs the encoder row by row, waiting in 100 ms slices and dispatching the window's
// messages between them. Every row's outcome is checked. The encoder writes a partial file
// that becomes the row's output only once the encoder has succeeded; a row that fails in
// any way deletes its partial file and touches nothing else, so an older output of the
// same name survives it. A row whose output would overwrite a listed file is never encoded.
#include "Unit1/BatchRun.h"

#include "Unit1/CoverPictureFile.h"
#include "Unit1/EncoderProcess.h"
#include "Unit1/MainWindowCommandLine.h"
#include "Unit1/OptionControls.h"
#include "Unit1/RunOutputs.h"
#include "Unit1/RunReport.h"
#include "platform/File.h"
#include "processMP3/ProgressWindow.h"

#include <chrono>
#include <exception>
#include <memory>

namespace kestrune::unit1 {

namespace {

constexpr std::chrono::milliseconds kWaitSlice{100};
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

// The progress window of the run, known to the main window while it exists.
class RunProgress {
public:
    explicit RunProgress(MainWindow& w)
        : w_(w),
          progress_(processmp3::CreateProgressWindow(*w.window, w.fileListView->RowCount(),
                                                     *w.cpuUsageMonitor)) {
        w_.runProgress = progress_.get();
    }
    ~RunProgress() { w_.runProgress = nullptr; }
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    processmp3::ProgressWindow& operator*() const { return *progress_; }
    processmp3::ProgressWindow* operator->() const { return progress_.get(); }

private:
    MainWindow& w_;
    std::unique_ptr<processmp3::ProgressWindow> progress_;
};

// Starts the row's encoder and waits for it, with the progress window following it.
// Answers how it ended: nothing when it succeeded.
std::optional<FailedRow> RunEncoder(MainWindow& w, processmp3::ProgressWindow& progress,
                                    EncoderProcess& encoder, int row, const std::string& name,
                                    const std::string& partial, const std::string& picture) {
    // The encoder's path is quoted, so a folder with blanks in its name still works.
    const std::string commandLine =
        "\"" + w.encoderPath + "\"" + BuildEncoderCommandLine(w, row, partial, picture);
    if (!encoder.StartEncoder(commandLine)) {
        toolkit::ShowMessage(w.window.get(), kLaunchFailure, w.window->Caption());
        return FailedRow{name, RowFailure::NotStarted, StartErrorText(encoder.StartError())};
    }
    processmp3::BeginEncoder(progress, name,
                             {.terminate = [&encoder] { encoder.Terminate(); },
                              .processorTime = [&encoder] { return encoder.ProcessorTime(); }});
    while (!encoder.WaitForEnd(kWaitSlice)) {
        toolkit::ProcessMessages();
        processmp3::StepActivity(progress);
    }
    processmp3::EndEncoder(progress);

    const auto failure =
        EncoderOutcome(progress.killedByWatchdog, progress.abortedByUser, encoder.ExitStatus());
    if (failure) {
        return FailedRow{name, *failure, LastErrorLine(encoder.StdErrTail())};
    }
    return std::nullopt;
}

// One row: its output chosen, encoded into the partial file, and the result moved into place.
std::optional<FailedRow> EncodeRow(MainWindow& w, processmp3::ProgressWindow& progress,
                                   EncoderProcess& encoder, RunOutputs& outputs, int row) {
    const EncoderRow values = ReadEncoderRow(w, row);
    if (!platform::IsExistingFile(values.sourcePath)) {
        return FailedRow{values.outputName, RowFailure::SourceMissing, {}};
    }
    const std::optional<std::string> output = outputs.Choose(values.outputName);
    if (!output) {
        return FailedRow{values.outputName, RowFailure::Skipped, {}};
    }
    const std::string partial = PartialPath(*output);
    // Holds the picture the command line names until the encoder has ended, whatever the end.
    const CoverPictureFile cover(ReadEncoderOptions(w), values.sourcePath, *output);
    std::optional<FailedRow> failure =
        RunEncoder(w, progress, encoder, row, values.outputName, partial, cover.Path());
    if (!failure) {
        if (platform::MoveFileOver(partial, *output)) {
            outputs.Written(*output);
            return std::nullopt;
        }
        failure = FailedRow{values.outputName, RowFailure::NotSaved, {}};
    }
    platform::RemoveFile(partial);
    return failure;
}

void EncodeRows(MainWindow& w, std::vector<FailedRow>& failures) {
    const RunProgress progress(w);
    progress->window->Show();
    EncoderProcess encoder;
    RunOutputs outputs(w.outputFolder, w.fileList);
    for (int row = 0; row < w.fileList.Count() && !w.closing; ++row) {
        if (auto failure = EncodeRow(w, *progress, encoder, outputs, row)) {
            w.fileListView->SetRowImage(row, kRowCreatedImage);
            failures.push_back(std::move(*failure));
        }
    }
}

}  // namespace

void RunBatch(MainWindow& w) {
    const std::optional<std::string> folder = w.folderDialog->Execute();
    if (!folder) {
        return;
    }
    w.outputFolder = *folder;
    std::vector<FailedRow> failures;
    try {
        const RunControlsLock lock(w);
        if (!w.fileList.IsEmpty()) {
            EncodeRows(w, failures);
        }
    } catch (const std::exception& error) {
        toolkit::ShowMessage(w.window.get(),
                             std::string("Сжатие прервано из-за ошибки: ") + error.what(),
                             w.window->Caption());
        return;
    }
    if (!failures.empty() && !w.closing) {
        toolkit::ShowMessage(w.window.get(), RunReportText(failures), w.window->Caption());
    }
}

void EndRunForClose(MainWindow& w) {
    w.closing = true;
    if (w.runProgress != nullptr && w.runProgress->process) {
        w.runProgress->process();
    }
}

}  // namespace kestrune::unit1
