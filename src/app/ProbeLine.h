// One output line of kestrune-probe: the file list's row for a file, tab-separated.
#pragma once

#include "MPEGaudio/FileListRow.h"

#include <string>

namespace kestrune::app {

// The eleven fields, tab-separated, without the line end. Tabs and line breaks inside tag
// texts become blanks, so every file stays one line of eleven fields.
std::string ProbeLine(const mpeg::FileListRow& row);

}  // namespace kestrune::app
