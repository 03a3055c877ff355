// The window's run with one encoder per processor through the real Qt window (run it in a
// display, e.g. under xvfb-run), against a plain parallel loop of the same lame command lines
// (xargs -P, one per processor): 6 files of 90 s of audio, each the best of three. The folder
// browser is answered as a user would, by a timer that picks the folder once it is open.
// Prints both times and the ratio. Target: at most 1.05.
#include "BenchFiles.h"
#include "PlainLoop.h"
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
using kestrune::bench::Clock;
using kestrune::bench::EmptyFolder;
using kestrune::bench::Seconds;

constexpr int kFiles = 6;
constexpr int kSecondsOfAudio = 90;
constexpr int kRounds = 3;

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
    double window = 1e9;
    double loop = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        window = std::min(window, timeWindow());
        loop = std::min(loop, bench::TimePlainLoop(unit1::PlanOfWindow(*w), root, processors));
    }
    std::printf("files: %d of %d s, processors: %u\n", kFiles, kSecondsOfAudio, processors);
    std::printf("the window's run, one encoder per processor: %.3f s\n", window);
    std::printf("xargs -P %u, the same lame lines:             %.3f s\n", processors, loop);
    std::printf("ratio window/xargs -P: %.3f (goal <= 1.05)\n", window / loop);
    fs::remove_all(root);
    return 0;
}
