// Where the rows of one run write. A row's output is "<name>.mp3" in the output folder; when
// an earlier row of the same run has written that file, the first of "<name> (2).mp3",
// "<name> (3).mp3", ... that the run has not written. A listed source is never an output:
// a row whose own name would be one is skipped, and numbered names pass over them. Written
// files are told apart by identity, so letter case and links cannot make two names of one
// file. Rows that run at the same time never share an output: a row whose output a running
// row has claimed (compared ignoring letter case, as some file systems compare names) waits
// for that row, whose outcome decides the name, so every row gets the name it would get if
// the rows ran one after the other.
// Several runs into one folder at once (other windows, kestrune-batch processes, machines
// sharing the folder) never write the same file either: a row claims its output with the
// exclusive create of a claim file held while it runs, and a name another run is writing, or
// has written since this run began, is passed over like a name this run has written.
#pragma once

#include "Unit1/FileList.h"
#include "Unit1/TemporaryFile.h"
#include "platform/File.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::unit1 {

class RunOutputs {
public:
    RunOutputs(std::string outputFolder, const std::vector<FileEntry>& sources);

    const std::string& OutputFolder() const { return outputFolder_; }

    // Makes a folder below the output folder ready for outputs: made when it is missing, and
    // rid of the temporary files a killed program left there. False when it cannot be made.
    bool PrepareFolder(const std::string& folder);

    // The output in the folder for a row whose name (without extension) is `name`, as if every
    // row started before had ended; nothing when the row must be skipped because its output
    // would be a listed source.
    std::optional<std::string> Choose(const std::string& folder, std::string_view name) const;

    // True while a row of this run that has not ended yet writes this output.
    bool IsClaimed(const std::string& outputPath) const;

private:
    friend class OutputClaim;

    bool IsTakenByAnotherRun(const std::string& path) const;
    bool IsWrittenByAnotherRun(const std::string& path) const;
    static std::string ClaimPath(const std::string& outputPath);

    std::string outputFolder_;
    // Files are told apart by identity, looked up in sets: a run of many rows stays fast.
    std::set<platform::FileIdentity> sources_;
    std::set<platform::FileIdentity> written_;
    // Held while the run lives; when it was made is when the run began, on the folder's clock.
    std::optional<TemporaryFile> runLock_;
    std::optional<std::int64_t> began_;
    std::vector<std::string> claimed_;  // folded to lower case
    std::set<std::string> preparedFolders_;
};

// A row's hold on its output while its encoder runs: the claim file that tells other runs,
// and the partial file the encoder writes, a temporary file of the program's own in the output
// folder. Unless Keep succeeds, the partial file is deleted when the claim goes, whatever
// ended the row, and the output stays free for later rows.
class OutputClaim {
public:
    // The output must be one that `outputs` chose and no running row of the run has claimed.
    OutputClaim(RunOutputs& outputs, std::string outputPath);
    ~OutputClaim();
    OutputClaim(const OutputClaim&) = delete;
    OutputClaim& operator=(const OutputClaim&) = delete;

    const std::string& OutputPath() const { return outputPath_; }
    // False when another run took the output first: the row must choose again.
    bool IsClaimed() const { return claimFile_.has_value(); }
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
    std::string claimPath_;
    std::optional<platform::FileForUpdate> claimFile_;
    std::optional<TemporaryFile> partial_;
};

}  // namespace kestrune::unit1
