// Several encoders at once against one: the same 12 files of 20 s of audio are encoded by
// RunBatch (headless toolkit, real lame) with one encoder, with one encoder per processor,
// by kestrune-batch -j0, and by a plain parallel loop of the same lame command lines (xargs
// -P, one per processor), each the best of three, in one run. Prints the times and the
// ratios. Targets on a machine with two processors: a speed-up of at least 1.8, and at most
// 1.05 times the plain loop for the window's run and for kestrune-batch.
#include "BenchFiles.h"
#include "PlainLoop.h"
#include "Unit1/BatchRun.h"
#include "Unit1/BuildMainWindow.h"
#include "Unit1/ListCommands.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using kestrune::bench::Clock;
using kestrune::bench::EmptyFolder;
using kestrune::bench::Seconds;

constexpr int kFiles = 12;
constexpr int kSecondsOfAudio = 20;
constexpr int kRounds = 3;

}  // namespace

int main() {
    using namespace kestrune;
    const fs::path root = fs::temp_directory_path() / "kestrune-bench-parallel";
    fs::remove_all(root);
    // Settings go to the benchmark's own folder, never to the user's.
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const auto paths = bench::MakeBenchFiles((root / "in").string(), kFiles, true, kSecondsOfAudio);
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());

    toolkit::headless::HeadlessDriver driver;
    auto w = unit1::BuildMainWindow();
    w->encoderPath = KESTRUNE_LAME;
    unit1::AddSelection(*w, paths);

    const auto timeRun = [&](int encoders) {
        w->encoders = encoders;
        driver.QueueFolderResult(EmptyFolder(root / ("run" + std::to_string(encoders))));
        const auto start = Clock::now();
        unit1::RunBatch(*w);
        const double time = Seconds(Clock::now() - start);
        if (!driver.ShownMessages().empty()) {
            std::fprintf(stderr, "the run reported failures:\n%s\n",
                         driver.ShownMessages().back().text.c_str());
            std::exit(1);
        }
        return time;
    };

    double one = 1e9;
    double perProcessor = 1e9;
    // kestrune-batch with the window's start options, as the run above has them, and the
    // files in the list's order: the order decides how the encoders share the files.
    std::string files;
    for (const std::string& path : paths) {
        files += " " + path;
    }
    const auto timeBatch = [&] {
        const std::string command = std::string(KESTRUNE_BATCH) + " -j0 --encoder " +
                                    KESTRUNE_LAME + " -o " + EmptyFolder(root / "batch") + files +
                                    " >/dev/null";
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "kestrune-batch failed\n");
            std::exit(1);
        }
        return Seconds(Clock::now() - start);
    };

    double loop = 1e9;
    double batch = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        one = std::min(one, timeRun(1));
        perProcessor = std::min(perProcessor, timeRun(0));
        batch = std::min(batch, timeBatch());
        loop = std::min(loop, bench::TimePlainLoop(unit1::PlanOfWindow(*w), root, processors));
    }

    std::printf("files: %d of %d s, processors: %u\n", kFiles, kSecondsOfAudio, processors);
    std::printf("RunBatch, one encoder:            %.3f s\n", one);
    std::printf("RunBatch, one per processor:      %.3f s\n", perProcessor);
    std::printf("kestrune-batch -j0:               %.3f s\n", batch);
    std::printf("xargs -P %u, the same lame lines:  %.3f s\n", processors, loop);
    std::printf("speed-up one per processor/one: %.2f (goal >= 1.8 on 2 processors)\n",
                one / perProcessor);
    std::printf("ratio RunBatch/xargs -P: %.3f (goal <= 1.05)\n", perProcessor / loop);
    std::printf("ratio kestrune-batch/xargs -P: %.3f (goal <= 1.05)\n", batch / loop);
    fs::remove_all(root);
    return 0;
}
