// Runs the encoder row by row, waiting in 100 ms slices and dispatching the window's
// messages between them. Every row's outcome is checked: a row whose encoder could not
// start, failed, or was ended is marked with the row image 0 and its partial output is
// deleted; a row whose output would overwrite a listed file is never encoded.
#include "Unit1/BatchRun.h"

#include "Unit1/CoverPictureFile.h"
#include "Unit1/EncoderProcess.h"
#include "Unit1/MainWindowCommandLine.h"
#include "Unit1/OptionControls.h"
#include "Unit1/RunReport.h"
#include "platform/File.h"
#include "processMP3/ProgressWindow.h"

#include <chrono>
#include <exception>

namespace kestrune::unit1 {

namespace {

constexpr std::chrono::milliseconds kWaitSlice{100};
constexpr int kCreatedImage = 0;
constexpr const char* kLaunchFailure = "Экскуз.Му. Что-то глючит...\r\nПродолжим дальше?";

// Everything a run must not let the user change under it.
void SetRunControlsEnabled(MainWindow& w, bool enabled) {
    w.optionsPanel->SetEnabled(enabled);
    w.addButton->SetEnabled(enabled);
    w.newListButton->SetEnabled(enabled);
    w.deleteRowButton->SetEnabled(enabled);
    w.compressButton->SetEnabled(enabled);
}

bool WritesOverAListedFile(const MainWindow& w, const std::string& outputPath) {
    for (const std::string& source : w.fileList.sourcePaths) {
        if (platform::IsSameFile(outputPath, source)) {
            return true;
        }
    }
    return false;
}

void StepActivityBar(toolkit::ProgressBar& bar) {
    bar.SetPosition(bar.Position() + 1);
    if (bar.Position() == bar.Maximum()) {
        bar.SetPosition(0);
    }
}

// One row: started, waited for and judged. Answers the failure, or nothing when it worked.
std::optional<FailedRow> EncodeRow(MainWindow& w, processmp3::ProgressWindow& progress,
                                   EncoderProcess& encoder, int row) {
    const EncoderRow values = ReadEncoderRow(w, row);
    const std::string outputPath = OutputPath(w.outputFolder, values.outputName);
    if (WritesOverAListedFile(w, outputPath)) {
        return FailedRow{values.outputName, RowFailure::Skipped, {}};
    }
    // Holds the picture the command line names until the encoder has ended, whatever the end.
    const CoverPictureFile cover(ReadEncoderOptions(w), values.sourcePath, outputPath);
    // The encoder's path is quoted, so a folder with blanks in its name still works.
    const std::string commandLine =
        "\"" + w.encoderPath + "\"" + BuildEncoderCommandLine(w, row, w.outputFolder, cover.Path());
    if (!encoder.StartEncoder(commandLine, platform::kCreateNewConsole,
                              platform::kThreadPriorityNormal)) {
        toolkit::ShowMessage(w.window.get(), kLaunchFailure, w.window->Caption());
        return FailedRow{values.outputName, RowFailure::NotStarted, {}};
    }
    progress.statusLabel.SetText("Обрабатывается: " + w.fileListView->CellText(row, 0));
    processmp3::BeginEncoder(progress, [&encoder] { encoder.Terminate(); });
    while (!encoder.WaitForEnd(kWaitSlice)) {
        toolkit::ProcessMessages();
        StepActivityBar(progress.activityBar);
    }
    processmp3::EndEncoder(progress);
    progress.timer.SetEnabled(true);
    progress.overallBar.SetPosition(progress.overallBar.Position() + 1);

    const auto failure =
        EncoderOutcome(progress.killedByWatchdog, progress.abortedByUser, encoder.ExitStatus());
    if (!failure) {
        return std::nullopt;
    }
    platform::RemoveFile(outputPath);  // a truncated output must not look like a result
    return FailedRow{values.outputName, *failure, LastErrorLine(encoder.StdErrTail())};
}

void EncodeRows(MainWindow& w, std::vector<FailedRow>& failures) {
    auto progress =
        processmp3::CreateProgressWindow(*w.window, w.fileListView->RowCount(), *w.cpuUsageMonitor);
    w.runProgress = progress.get();
    progress->window->Show();
    EncoderProcess encoder;
    for (int row = 0; row < static_cast<int>(w.fileList.sourcePaths.size()) && !w.closing; ++row) {
        if (auto failure = EncodeRow(w, *progress, encoder, row)) {
            w.fileListView->SetRowImage(row, kCreatedImage);
            failures.push_back(std::move(*failure));
        }
    }
    w.runProgress = nullptr;
}

}  // namespace

void RunBatch(MainWindow& w) {
    const std::optional<std::string> folder = w.folderDialog->Execute();
    if (!folder) {
        return;
    }
    w.outputFolder = *folder;
    SetRunControlsEnabled(w, false);
    std::vector<FailedRow> failures;
    try {
        if (!w.fileList.sourcePaths.empty()) {
            EncodeRows(w, failures);
        }
    } catch (const std::exception& error) {
        w.runProgress = nullptr;
        SetRunControlsEnabled(w, true);
        toolkit::ShowMessage(w.window.get(),
                             std::string("Сжатие прервано из-за ошибки: ") + error.what(),
                             w.window->Caption());
        return;
    }
    SetRunControlsEnabled(w, true);
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
