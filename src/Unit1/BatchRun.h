// The batch run: pressing compress re-encodes every listed file, one at a time or with
// several encoders at once as the settings say, into the folder the user chooses, with the progress
// window, its abort button and its watchdog, while the main window stays responsive.
#pragma once

#include "Unit1/MainWindow.h"
#include "Unit1/RunPlan.h"

namespace kestrune::unit1 {

// The run the window asks for: its encoder, output folder, options, rows and encoders at
// once as they stand now.
RunPlan PlanOfWindow(const MainWindow& w);

// The compress button's command.
void RunBatch(MainWindow& w);

// The main window is closing: a run in progress ends its running encoders and stops.
void EndRunForClose(MainWindow& w);

}  // namespace kestrune::unit1
