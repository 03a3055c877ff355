// A run as one value, made once before it starts (from the window, or from kestrune-batch's
// arguments): the runner reads nothing else, so it never knows whether a window asked for it.
#pragma once

#include "Unit1/EncoderCommandLine.h"
#include "Unit1/EncoderOptions.h"
#include "Unit1/FileList.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrune::unit1 {

struct RunPlan {
    std::string encoderPath;
    std::string outputFolder;
    EncoderOptions options;
    std::vector<FileEntry> rows;  // in list order
    // Encoders at once: 1 (one row after the other), more, or 0 for one per processor.
    int encoders = 1;
    // A row added with a folder goes to the same place below the output folder, with the
    // pictures of its source folder.
    bool keepFolders = false;
    // A row whose source's bit rate is at or below the options' is copied, not re-encoded,
    // and so is one whose output comes out larger than its source.
    bool neverLarger = false;
};

// The whole command line that encodes a row of the plan into outputFile, with the picture in
// picturePath when there is one.
std::string EncoderLineOfRow(const RunPlan& plan, std::size_t row, std::string_view outputFile,
                             const std::string& picturePath = {});

// The folder a row's output goes to: where the plan keeps the tree of an added folder, the
// same place below the output folder, else the output folder itself.
std::string OutputFolderOfRow(const RunPlan& plan, const FileEntry& row);

// The bit rate the options ask for: the constant rate, or the VBR quality's nominal rate.
int TargetBitRate(const EncoderOptions& options);

// True when the plan copies the row instead of re-encoding it, since re-encoding could only
// make it larger and worse: its source's rate is at or below the one asked for.
bool IsCopiedUnencoded(const RunPlan& plan, const FileEntry& row);

// How many encoders a run keeps going at once for the setting: 0 is one per processor; never
// more than the system lets a program wait for at once.
std::size_t EncodersAtOnce(int setting);

// The encoders-at-once setting as stored: 0 to the most a run keeps going, text that is no
// number or a negative number meaning the usual run of one encoder.
int EncodersSettingOf(const std::string& stored);

}  // namespace kestrune::unit1
