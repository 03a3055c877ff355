// What the batch run adds to the encoding itself: the same short files are encoded once by
// RunBatch (headless toolkit, real lame, real watchdog) and once by a plain loop that
// starts the same command lines and waits for each without dispatching anything. Prints
// both times, the ratio and the overhead per file. Target: at most 5 % and 10 ms per file.
#include "BenchFiles.h"
#include "PlainLoop.h"
#include "Unit1/BatchRun.h"
#include "Unit1/BuildMainWindow.h"
#include "Unit1/EncoderProcess.h"
#include "Unit1/ListCommands.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using kestrune::bench::Clock;
using kestrune::bench::Seconds;

constexpr int kFiles = 24;

}  // namespace

int main() {
    using namespace kestrune;
    const fs::path root = fs::temp_directory_path() / "kestrune-bench-batch";
    fs::remove_all(root);
    // Settings go to the benchmark's own folder, never to the user's.
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const auto paths = bench::MakeBenchFiles((root / "in").string(), kFiles, true);
    fs::create_directories(root / "run");
    fs::create_directories(root / "loop");

    toolkit::headless::HeadlessDriver driver;
    auto w = unit1::BuildMainWindow();
    w->encoderPath = KESTRUNE_LAME;
    unit1::AddSelection(*w, paths);

    driver.QueueFolderResult((root / "run").string());
    const auto runStart = Clock::now();
    unit1::RunBatch(*w);
    const double runTime = Seconds(Clock::now() - runStart);
    if (!driver.ShownMessages().empty()) {
        std::fprintf(stderr, "the run reported failures:\n%s\n",
                     driver.ShownMessages().back().text.c_str());
        return 1;
    }

    const auto loopStart = Clock::now();
    unit1::EncoderProcess encoder;
    for (int row = 0; row < kFiles; ++row) {
        const std::string output =
            unit1::OutputPath((root / "loop").string(), w->fileListView->CellText(row, 0));
        const std::string line =
            unit1::EncoderLineOfRow(unit1::PlanOfWindow(*w), static_cast<std::size_t>(row), output);
        if (!encoder.StartEncoder(line)) {
            std::fprintf(stderr, "cannot start %s\n", line.c_str());
            return 1;
        }
        encoder.WaitForEnd(std::chrono::hours(1));
    }
    const double loopTime = Seconds(Clock::now() - loopStart);

    std::printf("files: %d\n", kFiles);
    std::printf("RunBatch:   %.3f s\n", runTime);
    std::printf("plain loop: %.3f s\n", loopTime);
    std::printf("ratio RunBatch/loop: %.3f (target <= 1.05)\n", runTime / loopTime);
    std::printf("overhead per file: %.1f ms (target <= 10)\n",
                (runTime - loopTime) / kFiles * 1000.0);
    fs::remove_all(root);
    return 0;
}
