// The runner: executes a run plan, starting the rows' encoders in list order as many at once
// as the plan says, waiting for them while the sink dispatches every 100 ms, and finishing
// each row as soon as its encoder ends. Every row's outcome is checked. The encoder writes a
// partial file that becomes the row's output only once the encoder has succeeded and its
// tags are written; a row that fails in any way deletes its partial file and touches nothing
// else, so an older output of the same name survives it. A row whose output would overwrite
// a listed file is never encoded, and neither is one whose source is no MP3 file.
#pragma once

#include "Unit1/RunPlan.h"
#include "Unit1/RunSink.h"

#include <chrono>

namespace kestrune::unit1 {

inline constexpr std::chrono::milliseconds kRunWaitSlice{100};

// Runs every row of the plan, telling the sink as it goes. Throws only what the system
// throws (running out of memory); the rows ended before are told by then.
void ExecuteRunPlan(const RunPlan& plan, RunSink& sink);

}  // namespace kestrune::unit1
