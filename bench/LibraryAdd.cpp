// A music library added as one folder, as a user adds it from the add button's menu: the
// time from the add until the list is complete, against the probe's analysis of the same
// files (warm cache, best of three each), the longest the window went without dispatching
// its messages, and the program's memory with every row listed. The tree is made by
// bench/make-library. Run it on the back end it was built with (Qt: in a display, e.g. under
// xvfb-run; Win32: under Wine; headless: anywhere).
//
//     bench_library_add TREE [PROBE]
//
// PROBE, on POSIX, is the kestrune-probe program, run over the files through xargs. The
// probe's analysis is also timed in this process (ReadFileListRow and the probe's line for
// each file), without the cost of starting it; on Windows, whose command lines are too short
// for thousands of paths, that is the probe's time. Targets: the add at most 1.5 times the
// probe (Windows: 2 times), the resident memory at most 300 MB, no dispatch over 100 ms.
#include "MPEGaudio/FileListRow.h"
#include "Unit1/BuildMainWindow.h"
#include "Unit1/FolderAdd.h"
#include "Unit1/ListCommands.h"
#include "Unit1/Mp3Files.h"
#include "app/ProbeLine.h"
#include "toolkit/Application.h"

#ifdef KESTRUNE_HEADLESS
#include "toolkit/headless/HeadlessDriver.h"
#endif

#ifdef _WIN32
#include <windows.h>
// After windows.h.
#include <psapi.h>
#else
#include <fstream>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kestrune;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 3;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

template <typename Work>
double BestOf(Work work) {
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Seconds(Clock::now() - start));
    }
    return best;
}

// The resident memory now and at its peak, in megabytes.
std::pair<double, double> ResidentMegabytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {static_cast<double>(counters.WorkingSetSize) / 1048576.0,
            static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0};
#else
    std::ifstream status("/proc/self/status");
    double now = 0;
    double peak = 0;
    for (std::string key; status >> key;) {
        if (key == "VmRSS:") {
            status >> now;
        } else if (key == "VmHWM:") {
            status >> peak;
        }
    }
    return {now / 1024.0, peak / 1024.0};
#endif
}

// The probe's own work for every file, its lines kept as it would print them.
double ProbeInProcess(const std::vector<std::string>& files) {
    return BestOf([&] {
        std::size_t printed = 0;
        for (const std::string& file : files) {
            printed += app::ProbeLine(mpeg::ReadFileListRow(file)).size() + 1;
        }
        if (printed == 0) {
            std::exit(1);
        }
    });
}

#ifndef _WIN32
double ProbeProgram(const std::vector<std::string>& files, const std::string& probe,
                    const std::string& tree) {
    const std::string list = tree + "/../library-files.txt";
    {
        std::ofstream out(list);
        for (const std::string& file : files) {
            out << file << '\n';
        }
    }
    const std::string command = "xargs -d '\\n' -a '" + list + "' '" + probe + "' >/dev/null";
    return BestOf([&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "the probe failed\n");
            std::exit(1);
        }
    });
}
#endif

struct AddTimes {
    double seconds = 0;
    double longestDispatch = 0;  // seconds the window went without dispatching
};

// Adds the tree to a new window and dispatches its messages until the add has ended.
AddTimes AddToWindow(unit1::MainWindow& w, const std::string& tree, int expectedRows) {
    unit1::NewList(w);
    AddTimes times;
    const auto start = Clock::now();
    unit1::AddInBackground(w, {tree});
    auto last = Clock::now();
    while (w.backgroundAdd) {
        toolkit::ProcessMessages();
        const auto now = Clock::now();
        times.longestDispatch = std::max(times.longestDispatch, Seconds(now - last));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        last = Clock::now();
    }
    times.seconds = Seconds(Clock::now() - start);
    if (w.fileList.Count() != expectedRows || w.fileListView->RowCount() != expectedRows) {
        std::fprintf(stderr, "the list has %d rows of %d\n", w.fileList.Count(), expectedRows);
        std::exit(1);
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_library_add TREE [PROBE]\n");
        return 2;
    }
    const std::string tree = argv[1];
    const std::vector<std::string> files = [&] {
        std::vector<std::string> paths;
        for (const unit1::FoundMp3& file : unit1::FindMp3Files({tree}).files) {
            paths.push_back(file.path);
        }
        return paths;
    }();
    const int count = static_cast<int>(files.size());
    ProbeInProcess(files);  // warms the cache
    const double probeLoop = ProbeInProcess(files);
#ifndef _WIN32
    const double probe = argc > 2 ? ProbeProgram(files, argv[2], tree) : probeLoop;
#else
    const double probe = probeLoop;
#endif

#ifdef KESTRUNE_HEADLESS
    // The virtual clock moves on a millisecond with each dispatch, about as fast as real time.
    toolkit::headless::HeadlessDriver driver;
    driver.SetProcessMessagesStep(1);
#endif
    auto w = unit1::BuildMainWindow();
    w->window->Show();
    AddTimes best{1e9, 0};
    double firstResident = 0;
    for (int round = 0; round < kRounds; ++round) {
        const AddTimes times = AddToWindow(*w, tree, count);
        best.seconds = std::min(best.seconds, times.seconds);
        best.longestDispatch = std::max(best.longestDispatch, times.longestDispatch);
        if (round == 0) {
            firstResident = ResidentMegabytes().first;
        }
    }
    const auto [resident, peak] = ResidentMegabytes();

    std::printf("files: %d\n", count);
    std::printf("the probe's analysis in this process: %.3f s\n", probeLoop);
#ifndef _WIN32
    if (argc > 2) {
        std::printf("kestrune-probe over the files (xargs): %.3f s\n", probe);
    }
#endif
    std::printf("the window's add until the list is complete: %.3f s\n", best.seconds);
    std::printf("ratio add/probe: %.2f (goal <= %s)\n", best.seconds / probe,
#ifdef _WIN32
                "2"
#else
                "1.5"
#endif
    );
    std::printf("longest time without dispatching: %.0f ms (goal <= 100)\n",
                best.longestDispatch * 1000);
    std::printf(
        "resident memory with every row listed: %.0f MB after the first add, %.0f MB "
        "after the last, peak %.0f MB (goal <= 300)\n",
        firstResident, resident, peak);
    return 0;
}
