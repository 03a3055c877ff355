// Where the rows of one run write. A row's output is "<name>.mp3" in the output folder; when
// an earlier row of the same run has written that file, the first of "<name> (2).mp3",
// "<name> (3).mp3", ... that the run has not written. A listed source is never an output:
// a row whose own name would be one is skipped, and numbered names pass over them. Files are
// told apart by identity, so letter case and links cannot make two names of one file.
#pragma once

#include "Unit1/FileList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::unit1 {

// The file the encoder writes, moved over the output once it has succeeded.
std::string PartialPath(std::string_view outputPath);

class RunOutputs {
public:
    // The list must outlive the object and keep its sources during the run.
    RunOutputs(std::string outputFolder, const FileList& sources);

    // The output for a row whose name (without extension) is `name`; nothing when the row
    // must be skipped because its output would be a listed source.
    std::optional<std::string> Choose(std::string_view name) const;

    // The file is now a result of this run: later rows do not write it again.
    void Written(std::string outputPath);

private:
    bool IsListedSource(const std::string& path) const;
    bool IsWritten(const std::string& path) const;

    std::string outputFolder_;
    const FileList& sources_;
    std::vector<std::string> written_;
};

}  // namespace kestrune::unit1
