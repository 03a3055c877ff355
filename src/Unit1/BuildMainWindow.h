// Building the main window control by control, wiring its handlers, and the rule that
// places its controls whenever its size changes.
#pragma once

#include "Unit1/MainWindow.h"

#include <memory>

namespace kestrune::unit1 {

// Creates the window and everything on it, wires every command, and ends with
// InitialiseSession. The window is not shown yet.
std::unique_ptr<MainWindow> BuildMainWindow();

// The left panel takes the width the options panel leaves; the list fills it below the
// button row.
void LayoutMainWindow(MainWindow& w);

}  // namespace kestrune::unit1
