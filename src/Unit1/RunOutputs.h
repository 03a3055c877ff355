// Where the rows of one run write. A row's output is "<name>.mp3" in the output folder; when
// an earlier row of the same run has written that file, the first of "<name> (2).mp3",
// "<name> (3).mp3", ... that the run has not written. A listed source is never an output:
// a row whose own name would be one is skipped, and numbered names pass over them. Written
// files are told apart by identity, so letter case and links cannot make two names of one
// file. Rows that run at the same time never share an output: a row whose output a running
// row has claimed (compared ignoring letter case, as some file systems compare names) waits
// for that row, whose outcome decides the name, so every row gets the name it would get if
// the rows ran one after the other.
#pragma once

#include "Unit1/FileList.h"
#include "Unit1/TemporaryFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::unit1 {

class RunOutputs {
public:
    // The sources must outlive the object.
    RunOutputs(std::string outputFolder, const std::vector<FileEntry>& sources);

    const std::string& OutputFolder() const { return outputFolder_; }

    // The output for a row whose name (without extension) is `name`, as if every row started
    // before had ended; nothing when the row must be skipped because its output would be a
    // listed source.
    std::optional<std::string> Choose(std::string_view name) const;

    // True while a row that has not ended yet writes this output (see OutputClaim).
    bool IsClaimed(const std::string& outputPath) const;

private:
    friend class OutputClaim;

    bool IsListedSource(const std::string& path) const;
    static bool IsAmong(const std::vector<std::string>& paths, const std::string& path);

    std::string outputFolder_;
    const std::vector<FileEntry>& sources_;
    std::vector<std::string> written_;
    std::vector<std::string> claimed_;  // folded to lower case
};

// A row's hold on its output while its encoder runs, with the partial file the encoder
// writes: a temporary file of the program's own in the output folder. Unless Keep succeeds,
// the partial file is deleted when the claim goes, whatever ended the row, and the output
// stays free for later rows.
class OutputClaim {
public:
    // The output must be one that `outputs` chose and no running row has claimed.
    OutputClaim(RunOutputs& outputs, std::string outputPath);
    ~OutputClaim();
    OutputClaim(const OutputClaim&) = delete;
    OutputClaim& operator=(const OutputClaim&) = delete;

    const std::string& OutputPath() const { return outputPath_; }
    // False when the folder took no partial file: the row cannot run.
    bool HasPartialFile() const { return partial_.has_value(); }
    // The file the encoder writes, open for the program to finish it.
    const std::string& PartialPath() const { return partial_->Path(); }
    platform::FileForUpdate& PartialFile() { return partial_->File(); }

    // The encoder has succeeded: its partial file is moved over the output, which is then a
    // result of this run that later rows do not write again. False when it could not be moved.
    bool Keep();

private:
    RunOutputs& outputs_;
    std::string outputPath_;
    std::optional<TemporaryFile> partial_;
};

}  // namespace kestrune::unit1
