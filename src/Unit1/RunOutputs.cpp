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
      runLock_(TemporaryFile::Create(outputFolder_, TemporaryKind::runLock)),
      began_(runLock_ ? platform::ModificationTime(runLock_->Path()) : std::nullopt) {
    for (const FileEntry& source : sources) {
        if (const auto identity = platform::IdentityOf(source.sourcePath)) {
            sources_.insert(*identity);
        }
    }
}

bool RunOutputs::PrepareFolder(const std::string& folder) {
    if (preparedFolders_.contains(folder)) {
        return true;
    }
    if (!platform::MakeFolders(folder)) {
        return false;
    }
    RemoveLeftTemporaryFiles(folder);
    preparedFolders_.insert(folder);
    return true;
}

std::optional<std::string> RunOutputs::Choose(const std::string& folder,
                                              std::string_view name) const {
    const auto isListedSource = [this](const std::optional<platform::FileIdentity>& identity) {
        return identity && sources_.contains(*identity);
    };
    if (isListedSource(platform::IdentityOf(OutputPath(folder, name)))) {
        return std::nullopt;
    }
    for (int number = 1; number <= kMostNumbers; ++number) {
        const std::string candidate = OutputPath(folder, NumberedName(name, number));
        const auto identity = platform::IdentityOf(candidate);
        if (!isListedSource(identity) && !(identity && written_.contains(*identity)) &&
            !IsTakenByAnotherRun(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool RunOutputs::IsClaimed(const std::string& outputPath) const {
    return std::ranges::find(claimed_, platform::FoldCase(outputPath)) != claimed_.end();
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
    const auto identity = platform::IdentityOf(path);
    return written && began_ && *written > *began_ && !(identity && written_.contains(*identity));
}

std::string RunOutputs::ClaimPath(const std::string& outputPath) {
    return std::string(platform::FolderOf(outputPath)) +
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
        partial_ = TemporaryFile::Create(std::string(platform::FolderOf(outputPath_)),
                                         TemporaryKind::partialOutput);
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
    if (const auto identity = platform::IdentityOf(outputPath_)) {
        outputs_.written_.insert(*identity);
    }
    return true;
}

}  // namespace kestrune::unit1
