// Output names of a run, checked against the file system at the moment a row starts.
#include "Unit1/RunOutputs.h"

#include "Unit1/EncoderCommandLine.h"
#include "platform/File.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {

// Candidates tried before a row is skipped; far more numbers than any folder takes.
constexpr int kMostNumbers = 100000;

std::string NumberedName(std::string_view name, int number) {
    std::string numbered(name);
    if (number > 1) {
        numbered += " (" + std::to_string(number) + ")";
    }
    return numbered;
}

// A claim file another run holds, or one left unheld by a run that was killed (then removed).
bool IsHeldElsewhere(const std::string& claimPath) {
    return platform::IsExistingFile(claimPath) && !platform::RemoveUnheldFile(claimPath);
}

}  // namespace

RunOutputs::RunOutputs(std::string outputFolder, const std::vector<FileEntry>& sources)
    : outputFolder_(std::move(outputFolder)),
      sources_(sources),
      runLock_(TemporaryFile::Create(outputFolder_, TemporaryKind::runLock)),
      began_(runLock_ ? platform::ModificationTime(runLock_->Path()) : std::nullopt) {}

std::optional<std::string> RunOutputs::Choose(std::string_view name) const {
    const std::string own = OutputPath(outputFolder_, name);
    if (IsListedSource(own)) {
        return std::nullopt;
    }
    for (int number = 1; number <= kMostNumbers; ++number) {
        const std::string candidate = OutputPath(outputFolder_, NumberedName(name, number));
        if (!IsAmong(written_, candidate) && !IsListedSource(candidate) &&
            !IsTakenByAnotherRun(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool RunOutputs::IsClaimed(const std::string& outputPath) const {
    return std::ranges::find(claimed_, platform::FoldCase(outputPath)) != claimed_.end();
}

bool RunOutputs::IsListedSource(const std::string& path) const {
    return std::ranges::any_of(sources_, [&](const FileEntry& source) {
        return platform::IsSameFile(path, source.sourcePath);
    });
}

// Another run writes the output now, or wrote it after this run began: an older output, of
// an earlier run, is this run's to refresh. A file written in the clock tick the run began in
// counts as older: file systems keep times coarser than a run's start.
bool RunOutputs::IsTakenByAnotherRun(const std::string& path) const {
    if (IsClaimed(path)) {
        return false;  // this run's own claim
    }
    return IsHeldElsewhere(ClaimPath(path)) || IsWrittenByAnotherRun(path);
}

bool RunOutputs::IsWrittenByAnotherRun(const std::string& path) const {
    const std::optional<std::int64_t> written = platform::ModificationTime(path);
    return written && began_ && *written > *began_ && !IsAmong(written_, path);
}

bool RunOutputs::IsAmong(const std::vector<std::string>& paths, const std::string& path) {
    return std::ranges::any_of(paths, [&](const std::string& listed) {
        return listed == path || platform::IsSameFile(path, listed);
    });
}

std::string RunOutputs::ClaimPath(const std::string& outputPath) const {
    return platform::WithTrailingSeparator(outputFolder_) +
           ClaimFileName(platform::FileNameOf(outputPath));
}

OutputClaim::OutputClaim(RunOutputs& outputs, std::string outputPath)
    : outputs_(outputs),
      outputPath_(std::move(outputPath)),
      claimPath_(outputs.ClaimPath(outputPath_)),
      claimFile_(platform::FileForUpdate::CreateHeld(claimPath_, platform::NewFileAccess::usual)) {
    // Another run may have written the output between the choice and the claim.
    if (claimFile_ && outputs_.IsWrittenByAnotherRun(outputPath_)) {
        claimFile_.reset();
        platform::RemoveFile(claimPath_);
    }
    if (claimFile_) {
        outputs_.claimed_.push_back(platform::FoldCase(outputPath_));
        partial_ = TemporaryFile::Create(outputs_.OutputFolder(), TemporaryKind::partialOutput);
    }
}

OutputClaim::~OutputClaim() {
    partial_.reset();
    if (!claimFile_) {
        return;
    }
    const auto claimed = std::ranges::find(outputs_.claimed_, platform::FoldCase(outputPath_));
    if (claimed != outputs_.claimed_.end()) {
        outputs_.claimed_.erase(claimed);
    }
    claimFile_.reset();
    platform::RemoveFile(claimPath_);
}

bool OutputClaim::Keep() {
    if (!partial_ || !partial_->MoveOver(outputPath_)) {
        return false;
    }
    outputs_.written_.push_back(outputPath_);
    return true;
}

}  // namespace kestrune::unit1
