// The window's run with one encoder per processor through the real Qt window (run it in a
// display, e.g. under xvfb-run), against a plain parallel loop of the same lame command lines
// (xargs -P, one per processor): 6 files of 90 s of audio, each the best of three. The folder
// browser is answered as a user would, by a timer that picks the folder once it is open.
// Prints both times and the ratio. Target: at most 1.05.
#include "BenchFiles.h"
#include "Unit1/BatchRun.h"
#include "Unit1/BuildMainWindow.h"
#include "Unit1/ListCommands.h"
#include "toolkit/qt/QtApplication.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 6;
constexpr int kSecondsOfAudio = 90;
constexpr int kRounds = 3;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

std::string EmptyFolder(const fs::path& path) {
    fs::remove_all(path);
    fs::create_directories(path);
    return path.string();
}

// Accepts the next folder browser with the folder chosen.
void AnswerFolderBrowser(const std::string& folder) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, folder] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            const fs::path path(folder);
            dialog->setDirectory(QString::fromStdString(path.parent_path().string()));
            dialog->findChild<QLineEdit*>("fileNameEdit")
                ->setText(QString::fromStdString(path.filename().string()));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog checks the choice
        }
    });
    poll->start(10);
}

}  // namespace

int main() {
    using namespace kestrune;
    const fs::path root = fs::temp_directory_path() / "kestrune-bench-window";
    fs::remove_all(root);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const auto paths = bench::MakeBenchFiles((root / "in").string(), kFiles, true, kSecondsOfAudio);
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());

    auto w = unit1::BuildMainWindow();
    w->encoderPath = KESTRUNE_LAME;
    w->encoders = 0;
    w->window->Show();
    unit1::AddSelection(*w, paths);

    const auto timeWindow = [&] {
        const std::string folder = EmptyFolder(root / "window");
        AnswerFolderBrowser(folder);
        const auto start = Clock::now();
        unit1::RunBatch(*w);
        const double time = Seconds(Clock::now() - start);
        if (std::distance(fs::directory_iterator(folder), fs::directory_iterator()) != kFiles) {
            std::fprintf(stderr, "the window's run did not write every file\n");
            std::exit(1);
        }
        return time;
    };
    const std::string lines = (root / "lines.txt").string();
    const auto timeLoop = [&] {
        const std::string folder = EmptyFolder(root / "loop");
        std::ofstream out(lines);
        const unit1::RunPlan plan = unit1::PlanOfWindow(*w);
        for (std::size_t row = 0; row < plan.rows.size(); ++row) {
            out << unit1::EncoderLineOfRow(plan, row,
                                           unit1::OutputPath(folder, plan.rows[row].outputName))
                << "\n";
        }
        out.close();
        const std::string command =
            "xargs -d '\\n' -n 1 -P " + std::to_string(processors) + " sh -c <" + lines;
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "the plain loop failed\n");
            std::exit(1);
        }
        return Seconds(Clock::now() - start);
    };

    double window = 1e9;
    double loop = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        window = std::min(window, timeWindow());
        loop = std::min(loop, timeLoop());
    }
    std::printf("files: %d of %d s, processors: %u\n", kFiles, kSecondsOfAudio, processors);
    std::printf("the window's run, one encoder per processor: %.3f s\n", window);
    std::printf("xargs -P %u, the same lame lines:             %.3f s\n", processors, loop);
    std::printf("ratio window/xargs -P: %.3f (goal <= 1.05)\n", window / loop);
    fs::remove_all(root);
    return 0;
}
