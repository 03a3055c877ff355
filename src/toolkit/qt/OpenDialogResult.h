// The result text of the open-file dialog, built from the paths the user picked.
#pragma once

#include <string>
#include <vector>

namespace kestrune::toolkit::qt {

// One path comes back as it is. Several come back as their folder (without a final
// separator unless it is the root), then each file name, every piece after the first
// preceded by "\r". The paths are those of one folder, as a dialog picks them.
std::string OpenDialogResultText(const std::vector<std::string>& paths);

}  // namespace kestrune::toolkit::qt
