// What went wrong in a run, row by row, and the one message that tells the user at its end.
#pragma once

#include "platform/Process.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::unit1 {

enum class RowFailure {
    SourceMissing,   // the source is gone or is no regular file any more
    NotMp3,          // the source was found to be no MP3 file when it was listed
    NotStarted,      // the encoder could not be started
    EncoderError,    // the encoder ended with a non-zero status
    StoppedAsIdle,   // the watchdog ended it
    Aborted,         // the user ended it with the abort button
    Skipped,         // its output would have been written over a listed source file
    TagsNotWritten,  // the encoder succeeded but its file could not be given its tags
    NotSaved,        // the encoder succeeded but its file could not be moved into place
};

// What became of one row of a run.
struct RowResult {
    int row = 0;       // its place in the list
    std::string name;  // the row's name in the list
    std::string sourcePath;
    std::string outputPath;             // the output written; empty when none was
    std::optional<RowFailure> failure;  // nothing when the row was encoded
    // EncoderError: the last line the encoder wrote to standard error; NotStarted: why.
    std::string detail = {};
    std::int64_t bytesBefore = 0;  // the source's size
    std::int64_t bytesAfter = 0;   // the output's size
    double seconds = 0.0;          // from the row's start to its end
    bool copied = false;           // the source was copied, not re-encoded, so as not to grow
};

// Why the encoder could not be started, in Russian.
std::string StartErrorText(const platform::StartError& error);

// The failure of an encoder that has ended, or nothing when it succeeded. The watchdog and
// the abort button count before the exit status, which they caused.
std::optional<RowFailure> EncoderOutcome(bool killedByWatchdog, bool abortedByUser,
                                         const std::optional<platform::ProcessExit>& exit);

// The last non-empty line of what the encoder wrote to standard error, made safe to show.
std::string LastErrorLine(std::string_view stdErrTail);

// The encoder's words with the partial file it wrote, a temporary file of the program's own,
// named as the output the user knows.
std::string WithOutputName(std::string text, std::string_view partialPath,
                           std::string_view outputPath);

// Why a run ended before its last row.
enum class RunInterruption { outOfMemory, unexpectedFailure };

// Why a row failed, in Russian, with the detail the row has.
std::string FailureText(const RowResult& row);

// The message that tells, in Russian, the failed rows in list order, how many rows were
// copied rather than made larger, and then why the run was interrupted, if it was. It fits
// the screen: after the first rows it says how many more failed. A row is named by its name
// in the list, or by its source's path where another failed row has the same name.
std::string RunReportText(std::vector<RowResult> failures, int copiedRows,
                          std::optional<RunInterruption> interruption = std::nullopt);

}  // namespace kestrune::unit1
