// The open dialog's result text, the one place that knows its form: one picked file as its
// full path; several as their folder (without a final separator unless it is a root) and
// then each file name, every piece after the first preceded by "\r". The back ends make it,
// the file list reads it.
#pragma once

#include "platform/Paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::toolkit {

// One file: its path with no names. Several: their folder and their names.
std::string OpenDialogResultText(std::string_view pathOrFolder,
                                 const std::vector<std::string>& names = {});

// The paths the result names, each folder piece joined with the primary separator.
std::vector<std::string> SelectedPaths(std::string_view result,
                                       platform::PathSeparators separators);

// The folder the next open dialog starts in: for one file its folder with the separator,
// for several the folder piece with the primary separator added unless it ends in one.
std::string SelectionFolder(std::string_view result, platform::PathSeparators separators);

}  // namespace kestrune::toolkit
