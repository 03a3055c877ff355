// Output names of a run, checked against the file system at the moment a row starts.
#include "Unit1/RunOutputs.h"

#include "Unit1/EncoderCommandLine.h"
#include "platform/File.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {

constexpr std::string_view kPartialSuffix = ".part";

std::string NumberedName(std::string_view name, int number) {
    std::string numbered(name);
    if (number > 1) {
        numbered += " (" + std::to_string(number) + ")";
    }
    return numbered;
}

}  // namespace

std::string PartialPath(std::string_view outputPath) {
    return std::string(outputPath).append(kPartialSuffix);
}

RunOutputs::RunOutputs(std::string outputFolder, const FileList& sources)
    : outputFolder_(std::move(outputFolder)), sources_(sources) {}

std::optional<std::string> RunOutputs::Choose(std::string_view name) const {
    const std::string own = OutputPath(outputFolder_, name);
    if (IsListedSource(own)) {
        return std::nullopt;
    }
    // Each written file takes at most one number, so one of these is free.
    const int last = static_cast<int>(written_.size()) + sources_.Count() + 1;
    for (int number = 1; number <= last; ++number) {
        const std::string candidate = OutputPath(outputFolder_, NumberedName(name, number));
        if (!IsAmong(written_, candidate) && !IsListedSource(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool RunOutputs::IsClaimed(const std::string& outputPath) const {
    if (IsAmong(claimed_, outputPath)) {
        return true;
    }
    const std::string partial = PartialPath(outputPath);
    return std::ranges::any_of(claimed_, [&](const std::string& claimed) {
        return platform::IsSameFile(partial, PartialPath(claimed));
    });
}

bool RunOutputs::IsListedSource(const std::string& path) const {
    const std::string partial = PartialPath(path);
    return std::ranges::any_of(sources_.Entries(), [&](const FileEntry& source) {
        return platform::IsSameFile(path, source.sourcePath) ||
               platform::IsSameFile(partial, source.sourcePath);
    });
}

bool RunOutputs::IsAmong(const std::vector<std::string>& paths, const std::string& path) {
    return std::ranges::any_of(paths, [&](const std::string& listed) {
        return listed == path || platform::IsSameFile(path, listed);
    });
}

OutputClaim::OutputClaim(RunOutputs& outputs, std::string outputPath)
    : outputs_(outputs), outputPath_(std::move(outputPath)) {
    // An older partial file of the same name is simply taken over: the encoder truncates it.
    platform::WriteNewFile(PartialPath(), {}, platform::NewFileAccess::usual);
    outputs_.claimed_.push_back(outputPath_);
}

OutputClaim::~OutputClaim() {
    std::erase(outputs_.claimed_, outputPath_);
    if (!kept_) {
        platform::RemoveFile(PartialPath());
    }
}

std::string OutputClaim::PartialPath() const {
    return unit1::PartialPath(outputPath_);
}

bool OutputClaim::Keep() {
    kept_ = platform::MoveFileOver(PartialPath(), outputPath_);
    if (kept_) {
        outputs_.written_.push_back(outputPath_);
    }
    return kept_;
}

}  // namespace kestrune::unit1
