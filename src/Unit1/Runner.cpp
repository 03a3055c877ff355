// Rows start in list order while fewer encoders than allowed run; the run waits for any of
// them to end, in slices that leave the sink its dispatch every kRunWaitSlice.
#include "Unit1/Runner.h"

#include "OutputTags/OutputTags.h"
#include "Unit1/CoverPictureFile.h"
#include "Unit1/EncoderProcess.h"
#include "Unit1/RunOutputs.h"
#include "Unit1/TemporaryFile.h"
#include "platform/AsciiText.h"
#include "platform/File.h"
#include "platform/Paths.h"

#include <algorithm>
#include <array>
#include <list>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::unit1 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<std::string_view, 5> kPictureExtensions = {".jpg", ".jpeg", ".png", ".gif",
                                                                ".bmp"};

// A row whose encoder runs, with everything that must live until it has ended. Members go
// in reverse order: the encoder ends before its partial file and the picture are deleted.
struct RunningRow {
    RunningRow(int row, const FileEntry& entry, RunOutputs& outputs, const std::string& output,
               const EncoderOptions& options)
        : row(row),
          entry(entry),
          started(Clock::now()),
          cover(options, entry.sourcePath, std::string(platform::FolderOf(output))),
          claim(outputs, output) {}

    const int row;
    const FileEntry& entry;
    const Clock::time_point started;
    const CoverPictureFile cover;
    OutputClaim claim;
    EncoderProcess encoder;
    processmp3::EncoderWatch* watch = nullptr;
};

class Runner {
public:
    Runner(const RunPlan& plan, RunSink& sink)
        : plan_(plan),
          sink_(sink),
          outputs_(plan.outputFolder, plan.rows),
          slots_(EncodersAtOnce(plan.encoders)),
          rowCount_(static_cast<int>(plan.rows.size())) {}

    void EncodeAllRows() {
        auto nextDispatch = Clock::now() + kRunWaitSlice;
        while (StartRows()) {
            const auto now = Clock::now();
            if (now < nextDispatch) {
                if (WaitForAnyEnd(
                        std::chrono::ceil<std::chrono::milliseconds>(nextDispatch - now))) {
                    FinishEndedRows();
                }
                continue;
            }
            sink_.Dispatch();
            nextDispatch = Clock::now() + kRunWaitSlice;
        }
    }

private:
    // Starts the next rows while encoders are free and the sink lets rows start. False once
    // nothing runs and nothing is left to start.
    bool StartRows() {
        while (!sink_.Stopping() && running_.size() < slots_ && next_ < rowCount_) {
            if (!StartRow(next_)) {
                break;  // its output waits for a running row
            }
            ++next_;
        }
        return !running_.empty() || (!sink_.Stopping() && next_ < rowCount_);
    }

    // Starts the row's encoder, or tells why it cannot run. False when the row must wait
    // because a running row may still take its output.
    bool StartRow(int row) {
        const FileEntry& entry = plan_.rows[static_cast<std::size_t>(row)];
        if (!platform::IsExistingFile(entry.sourcePath)) {
            Fail(row, RowFailure::SourceMissing);
            return true;
        }
        // The encoder may make something of a file that is no MP3: it is not handed one.
        if (!entry.valid) {
            Fail(row, RowFailure::NotMp3);
            return true;
        }
        const std::string folder = OutputFolderOfRow(plan_, entry);
        if (!outputs_.PrepareFolder(folder)) {
            Fail(row, RowFailure::NotSaved);
            return true;
        }
        const std::optional<std::string> output = outputs_.Choose(folder, entry.outputName);
        if (!output) {
            Fail(row, RowFailure::Skipped);
            return true;
        }
        if (outputs_.IsClaimed(*output)) {
            return false;
        }
        RunningRow& running = running_.emplace_back(row, entry, outputs_, *output, plan_.options);
        if (!running.claim.IsClaimed()) {
            running_.pop_back();
            return StartRow(row);  // another run took the output first: choose again
        }
        if (!running.claim.HasPartialFile()) {
            running_.pop_back();
            Fail(row, RowFailure::NotSaved);
            return true;
        }
        if (IsCopiedUnencoded(plan_, entry)) {
            // Re-encoding can only make this file larger and worse.
            RowResult result = ResultOf(row);
            if (CopySource(running)) {
                Complete(running, result, true);
            } else {
                result.failure = RowFailure::NotSaved;
                sink_.RowEnded(result);
            }
            running_.pop_back();
            return true;
        }
        const std::string commandLine =
            EncoderLineOfRow(plan_, static_cast<std::size_t>(row), running.claim.PartialPath(),
                             running.cover.Path());
        if (!running.encoder.StartEncoder(commandLine)) {
            const std::string why = StartErrorText(running.encoder.StartError());
            running_.pop_back();
            sink_.EncoderNotStarted();
            Fail(row, RowFailure::NotStarted, why);
            return true;
        }
        EncoderProcess& encoder = running.encoder;
        running.watch = &sink_.EncoderStarted(
            entry,
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
            Finish(*place, sink_.EncoderEnded(*place->watch));
            place = running_.erase(place);
        }
    }

    void Finish(RunningRow& running, const processmp3::EncoderWatch& ended) {
        RowResult result = ResultOf(running.row);
        result.seconds = std::chrono::duration<double>(Clock::now() - running.started).count();
        if (const auto outcome = EncoderOutcome(ended.killedByWatchdog, ended.abortedByUser,
                                                running.encoder.ExitStatus())) {
            result.failure = outcome;
            result.detail = WithOutputName(LastErrorLine(running.encoder.StdErrTail()),
                                           running.claim.PartialPath(), running.claim.OutputPath());
            sink_.RowEnded(result);
            return;
        }
        Complete(running, result, false);
    }

    // The source copied into the partial file, instead of the encoder's output.
    static bool CopySource(RunningRow& running) {
        return platform::CopyFileInto(running.entry.sourcePath, running.claim.PartialFile());
    }

    // Makes the row's output of its partial file, which holds the encoded audio or a copy of
    // the source: the tags, a copy instead of an output larger than the source where the plan
    // says so, the move into place and the pictures of the source's folder. Tells the result.
    void Complete(RunningRow& running, RowResult& result, bool copied) {
        result.copied = copied;
        bool tagged = WriteTags(running);
        if (tagged && !copied && plan_.neverLarger &&
            running.claim.PartialFile().Size() > result.bytesBefore) {
            result.copied = true;
            tagged = CopySource(running) && WriteTags(running);
        }
        if (!tagged) {
            result.failure = RowFailure::TagsNotWritten;
        } else if (!running.claim.Keep()) {
            result.failure = RowFailure::NotSaved;
        } else {
            result.outputPath = running.claim.OutputPath();
            result.bytesAfter = platform::FileSize(result.outputPath).value_or(0);
            CopyPictures(running.entry, result.outputPath);
        }
        sink_.RowEnded(result);
    }

    // The encoder's output gets the row's tags, written by the program itself.
    bool WriteTags(RunningRow& running) const {
        const FileEntry& entry = running.entry;
        return outputtags::WriteOutputTags(
            entry.sourcePath, running.claim.PartialFile(),
            {.title = entry.title,
             .artist = entry.artist,
             .album = entry.album,
             .year = entry.year,
             .genre = entry.genre,
             .track = entry.track,
             .comment = entry.comment},
            {.id3v1 = plan_.options.tagV1, .id3v2 = plan_.options.tagV2});
    }

    // With the tree kept, the pictures of a source folder (covers, booklets) go beside its
    // outputs, once, never over a file that is there.
    void CopyPictures(const FileEntry& entry, const std::string& outputPath) {
        const std::string sourceFolder(platform::FolderOf(entry.sourcePath));
        if (!plan_.keepFolders || entry.folderBelow.empty() ||
            !picturedFolders_.insert(sourceFolder).second) {
            return;
        }
        const platform::FolderListing listing =
            platform::ListFolder(sourceFolder).value_or(platform::FolderListing{});
        for (const std::string& file : listing.files) {
            if (std::ranges::any_of(kPictureExtensions, [&](std::string_view extension) {
                    return platform::EndsWithIgnoringAsciiCase(file, extension);
                })) {
                platform::CopyToNewFile(file, std::string(platform::FolderOf(outputPath)) +
                                                  std::string(platform::FileNameOf(file)));
            }
        }
    }

    RowResult ResultOf(int row) const {
        const FileEntry& entry = plan_.rows[static_cast<std::size_t>(row)];
        return {.row = row,
                .name = entry.outputName,
                .sourcePath = entry.sourcePath,
                .outputPath = {},
                .failure = {},
                .bytesBefore = platform::FileSize(entry.sourcePath).value_or(0)};
    }

    void Fail(int row, RowFailure failure, std::string detail = {}) {
        RowResult result = ResultOf(row);
        result.failure = failure;
        result.detail = std::move(detail);
        sink_.RowEnded(result);
    }

    const RunPlan& plan_;
    RunSink& sink_;
    RunOutputs outputs_;
    const std::size_t slots_;
    const int rowCount_;
    std::set<std::string> picturedFolders_;
    int next_ = 0;
    // In the order they started; elements stay in place while others come and go.
    std::list<RunningRow> running_;
};

}  // namespace

void ExecuteRunPlan(const RunPlan& plan, RunSink& sink) {
    Runner(plan, sink).EncodeAllRows();
}

}  // namespace kestrune::unit1
