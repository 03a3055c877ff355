// Runs the encoders row by row in list order, as many at once as the settings allow (one
// unless the user asks for more), dispatching the window's messages every 100 ms while it
// waits for them and finishing each row as soon as its encoder ends. Every row's outcome is
// checked. The encoder writes a partial file
// that becomes the row's output only once the encoder has succeeded; a row that fails in
// any way deletes its partial file and touches nothing else, so an older output of the
// same name survives it. A row whose output would overwrite a listed file is never encoded.
#include "Unit1/BatchRun.h"

#include "OutputTags/OutputTags.h"
#include "Unit1/CoverPictureFile.h"
#include "Unit1/EncoderProcess.h"
#include "Unit1/MainWindowCommandLine.h"
#include "Unit1/OptionControls.h"
#include "Unit1/RunOutputs.h"
#include "Unit1/RunReport.h"
#include "Unit1/TemporaryFile.h"
#include "platform/File.h"
#include "processMP3/ProgressWindow.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <list>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

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

// How many encoders the run keeps going at once for the setting: 0 means one per processor.
std::size_t EncodersAtOnce(int setting) {
    if (setting == 0) {
        setting = static_cast<int>(std::thread::hardware_concurrency());
    }
    return static_cast<std::size_t>(std::clamp(setting, 1, kMostEncoders));
}

// A row whose encoder runs, with everything that must live until it has ended. Members go
// in reverse order: the encoder ends before its partial file and the picture are deleted.
struct RunningRow {
    RunningRow(int row, EncoderRow values, RunOutputs& outputs, const std::string& output,
               const EncoderOptions& options)
        : row(row),
          values(std::move(values)),
          cover(options, this->values.sourcePath, outputs.OutputFolder()),
          claim(outputs, output) {}

    const int row;
    const EncoderRow values;
    const CoverPictureFile cover;
    OutputClaim claim;
    EncoderProcess encoder;
    processmp3::EncoderWatch* watch = nullptr;
};

// One run over the rows of the list: rows start in list order while fewer encoders than
// allowed run, and each is finished as soon as its encoder has ended.
class BatchRunner {
public:
    // Failed rows go to `failures` as they fail, so that they are told even when an
    // unexpected failure ends the run.
    BatchRunner(MainWindow& w, processmp3::ProgressWindow& progress,
                std::vector<FailedRow>& failures)
        : w_(w),
          progress_(progress),
          failures_(failures),
          outputs_(w.outputFolder, w.fileList),
          slots_(EncodersAtOnce(w.encoders)) {}

    void EncodeAllRows() {
        using Clock = std::chrono::steady_clock;
        auto nextDispatch = Clock::now() + kWaitSlice;
        while (StartRows()) {
            const auto now = Clock::now();
            if (now < nextDispatch) {
                if (WaitForAnyEnd(
                        std::chrono::ceil<std::chrono::milliseconds>(nextDispatch - now))) {
                    FinishEndedRows();
                }
                continue;
            }
            toolkit::ProcessMessages();
            processmp3::StepActivity(progress_);
            nextDispatch = Clock::now() + kWaitSlice;
        }
    }

private:
    // Starts the next rows while encoders are free and the window is not closing. False
    // once nothing runs and nothing is left to start.
    bool StartRows() {
        while (!w_.closing && running_.size() < slots_ && next_ < w_.fileList.Count()) {
            if (!StartRow(next_)) {
                break;  // its output waits for a running row
            }
            ++next_;
        }
        return !running_.empty() || (!w_.closing && next_ < w_.fileList.Count());
    }

    // Starts the row's encoder, or records why it cannot run. False when the row must wait
    // because a running row may still take its output.
    bool StartRow(int row) {
        const EncoderRow values = ReadEncoderRow(w_, row);
        if (!platform::IsExistingFile(values.sourcePath)) {
            Fail(row, RowFailure::SourceMissing);
            return true;
        }
        // The encoder may make something of a file that is no MP3: it is not handed one.
        if (!w_.fileList.At(row).valid) {
            Fail(row, RowFailure::NotMp3);
            return true;
        }
        const std::optional<std::string> output = outputs_.Choose(values.outputName);
        if (!output) {
            Fail(row, RowFailure::Skipped);
            return true;
        }
        if (outputs_.IsClaimed(*output)) {
            return false;
        }
        RunningRow& running =
            running_.emplace_back(row, values, outputs_, *output, ReadEncoderOptions(w_));
        if (!running.claim.HasPartialFile()) {
            running_.pop_back();
            Fail(row, RowFailure::NotSaved);
            return true;
        }
        EncoderRow withPicture = running.values;
        withPicture.picturePath = running.cover.Path();
        const std::string commandLine = FullEncoderCommandLine(
            w_.encoderPath, ReadEncoderOptions(w_), withPicture, running.claim.PartialPath());
        if (!running.encoder.StartEncoder(commandLine)) {
            const std::string why = StartErrorText(running.encoder.StartError());
            running_.pop_back();
            {
                const processmp3::WatchdogPause pause(progress_);
                toolkit::ShowMessage(w_.window.get(), kLaunchFailure, w_.window->Caption());
            }
            Fail(row, RowFailure::NotStarted, why);
            return true;
        }
        EncoderProcess& encoder = running.encoder;
        running.watch = &processmp3::BeginEncoder(
            progress_, running.values.outputName,
            {.terminate = [&encoder] { encoder.Terminate(); },
             .processorTime = [&encoder] { return encoder.ProcessorTime(); },
             .hasEnded = [&encoder] { return encoder.WaitForEnd(std::chrono::milliseconds(0)); }});
        return true;
    }

    bool WaitForAnyEnd(std::chrono::milliseconds timeout) {
        std::vector<EncoderProcess*> encoders;
        for (RunningRow& running : running_) {
            encoders.push_back(&running.encoder);
        }
        return EncoderProcess::WaitForAnyEnd(encoders, timeout);
    }

    // Judges every row whose encoder has ended, in the order they started, and lets it go.
    void FinishEndedRows() {
        for (auto place = running_.begin(); place != running_.end();) {
            if (place->encoder.IsRunning()) {
                ++place;
                continue;
            }
            const processmp3::EncoderWatch ended = processmp3::EndEncoder(progress_, *place->watch);
            if (const auto outcome = EncoderOutcome(ended.killedByWatchdog, ended.abortedByUser,
                                                    place->encoder.ExitStatus())) {
                Fail(place->row, *outcome,
                     WithOutputName(LastErrorLine(place->encoder.StdErrTail()),
                                    place->claim.PartialPath(), place->claim.OutputPath()));
            } else if (!WriteTags(*place)) {
                Fail(place->row, RowFailure::TagsNotWritten);
            } else if (!place->claim.Keep()) {
                Fail(place->row, RowFailure::NotSaved);
            }
            place = running_.erase(place);
        }
    }

    // The encoder's output gets the row's tags, written by the program itself.
    bool WriteTags(RunningRow& running) const {
        const EncoderOptions options = ReadEncoderOptions(w_);
        const EncoderRow& values = running.values;
        return outputtags::WriteOutputTags(values.sourcePath, running.claim.PartialFile(),
                                           {.title = values.title,
                                            .artist = values.artist,
                                            .album = values.album,
                                            .year = values.year,
                                            .genre = values.genre,
                                            .track = values.track,
                                            .comment = values.comment},
                                           {.id3v1 = options.tagV1, .id3v2 = options.tagV2});
    }

    void Fail(int row, RowFailure failure, std::string detail = {}) {
        w_.fileListView->SetRowImage(row, kRowCreatedImage);
        const FileEntry& entry = w_.fileList.At(row);
        failures_.push_back({row, entry.outputName, entry.sourcePath, failure, std::move(detail)});
    }

    MainWindow& w_;
    processmp3::ProgressWindow& progress_;
    std::vector<FailedRow>& failures_;
    RunOutputs outputs_;
    const std::size_t slots_;
    int next_ = 0;
    // In the order they started; elements stay in place while others come and go.
    std::list<RunningRow> running_;
};

void EncodeRows(MainWindow& w, std::vector<FailedRow>& failures) {
    RemoveLeftTemporaryFiles(w.outputFolder);
    const RunProgress progress(w);
    progress->window->Show();
    BatchRunner runner(w, *progress, failures);
    runner.EncodeAllRows();
}

}  // namespace

void RunBatch(MainWindow& w) {
    const std::optional<std::string> folder = w.folderDialog->Execute();
    if (!folder) {
        return;
    }
    w.outputFolder = *folder;
    std::vector<FailedRow> failures;
    std::optional<RunInterruption> interruption;
    try {
        const RunControlsLock lock(w);
        if (!w.fileList.IsEmpty()) {
            EncodeRows(w, failures);
        }
    } catch (const std::bad_alloc&) {
        interruption = RunInterruption::outOfMemory;
    } catch (const std::exception&) {
        interruption = RunInterruption::unexpectedFailure;
    }
    if ((!failures.empty() || interruption) && !w.closing) {
        toolkit::ShowMessage(w.window.get(), RunReportText(std::move(failures), interruption),
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
