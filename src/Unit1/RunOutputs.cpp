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
        if (!IsWritten(candidate) && !IsListedSource(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

void RunOutputs::Written(std::string outputPath) {
    written_.push_back(std::move(outputPath));
}

bool RunOutputs::IsListedSource(const std::string& path) const {
    const std::string partial = PartialPath(path);
    return std::ranges::any_of(sources_.Entries(), [&](const FileEntry& source) {
        return platform::IsSameFile(path, source.sourcePath) ||
               platform::IsSameFile(partial, source.sourcePath);
    });
}

bool RunOutputs::IsWritten(const std::string& path) const {
    return std::ranges::any_of(written_, [&](const std::string& written) {
        return written == path || platform::IsSameFile(path, written);
    });
}

}  // namespace kestrune::unit1
