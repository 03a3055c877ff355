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
};

// The whole command line that encodes a row of the plan into outputFile, with the picture in
// picturePath when there is one.
std::string EncoderLineOfRow(const RunPlan& plan, std::size_t row, std::string_view outputFile,
                             const std::string& picturePath = {});

// How many encoders a run keeps going at once for the setting: 0 is one per processor; never
// more than the system lets a program wait for at once.
std::size_t EncodersAtOnce(int setting);

// The encoders-at-once setting as stored: 0 to the most a run keeps going, text that is no
// number or a negative number meaning the usual run of one encoder.
int EncodersSettingOf(const std::string& stored);

}  // namespace kestrune::unit1
