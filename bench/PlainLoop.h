// What the run benchmarks measure against: the encoder lines of a plan run by a plain
// parallel loop (xargs -P, each line by sh, which reads their quotes as the runner writes
// them), and the small helpers they share.
#pragma once

#include "Unit1/RunPlan.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace kestrune::bench {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration);

// A fresh, empty folder.
std::string EmptyFolder(const std::filesystem::path& path);

// Seconds the plan's encoder lines take, writing into root/loop, with the processors given
// running at once; ends the benchmark when a line fails.
double TimePlainLoop(const unit1::RunPlan& plan, const std::filesystem::path& root,
                     unsigned processors);

}  // namespace kestrune::bench
