// Output names of a run, checked against the file system at the moment a row starts.
#include "Unit1/RunOutputs.h"

#include "Unit1/EncoderCommandLine.h"
#include "platform/File.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {

std::string NumberedName(std::string_view name, int number) {
    std::string numbered(name);
    if (number > 1) {
        numbered += " (" + std::to_string(number) + ")";
    }
    return numbered;
}

}  // namespace

RunOutputs::RunOutputs(std::string outputFolder, const std::vector<FileEntry>& sources)
    : outputFolder_(std::move(outputFolder)), sources_(sources) {}

std::optional<std::string> RunOutputs::Choose(std::string_view name) const {
    const std::string own = OutputPath(outputFolder_, name);
    if (IsListedSource(own)) {
        return std::nullopt;
    }
    // Each written file takes at most one number, so one of these is free.
    const int last = static_cast<int>(written_.size() + sources_.size()) + 1;
    for (int number = 1; number <= last; ++number) {
        const std::string candidate = OutputPath(outputFolder_, NumberedName(name, number));
        if (!IsAmong(written_, candidate) && !IsListedSource(candidate)) {
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

bool RunOutputs::IsAmong(const std::vector<std::string>& paths, const std::string& path) {
    return std::ranges::any_of(paths, [&](const std::string& listed) {
        return listed == path || platform::IsSameFile(path, listed);
    });
}

OutputClaim::OutputClaim(RunOutputs& outputs, std::string outputPath)
    : outputs_(outputs),
      outputPath_(std::move(outputPath)),
      partial_(TemporaryFile::Create(outputs.OutputFolder(), TemporaryKind::partialOutput)) {
    outputs_.claimed_.push_back(platform::FoldCase(outputPath_));
}

OutputClaim::~OutputClaim() {
    const auto claimed = std::ranges::find(outputs_.claimed_, platform::FoldCase(outputPath_));
    if (claimed != outputs_.claimed_.end()) {
        outputs_.claimed_.erase(claimed);
    }
}

bool OutputClaim::Keep() {
    if (!partial_ || !partial_->MoveOver(outputPath_)) {
        return false;
    }
    outputs_.written_.push_back(outputPath_);
    return true;
}

}  // namespace kestrune::unit1
