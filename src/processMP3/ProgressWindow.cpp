// Builds the progress window, laid out in its 283 by 84 client area, topmost, without a
// close command and not resizable, and handles its abort button.
#include "processMP3/ProgressWindow.h"

#include <utility>

namespace kestrune::processmp3 {

namespace {

constexpr toolkit::Size kClientSize{283, 84};
constexpr int kBarHeight = 11;
constexpr int kAbortButtonWidth = 86;

toolkit::ProgressBar& AddBar(toolkit::Window& window, int top) {
    toolkit::ProgressBar& bar = window.AddProgressBar();
    bar.SetBounds({0, top, kClientSize.width, kBarHeight});
    bar.SetSmooth(true);
    return bar;
}

toolkit::Label& AddFittedLabel(toolkit::Window& window, const std::string& text, int top) {
    toolkit::Label& label = window.AddLabel(text);
    label.SetAutoSize(true);
    label.SetLeft(0);
    label.SetTop(top);
    return label;
}

toolkit::Button& AddAbortButton(toolkit::Window& window) {
    toolkit::Button& button = window.AddButton("Прервать");
    button.SetLeft(198);
    button.SetTop(62);
    button.SetWidth(kAbortButtonWidth);  // the height stays the platform's default
    return button;
}

std::unique_ptr<toolkit::Window> CreateFrame(toolkit::Window& owner) {
    auto window = toolkit::CreateTopLevelWindow("Выполнение", &owner);
    window->SetClientSize(kClientSize);
    window->SetTopmost(true);
    window->RemoveCloseCommand();
    return window;
}

}  // namespace

ProgressWindow::ProgressWindow(toolkit::Window& owner, int rowCount,
                               cpuusage::CpuUsageMonitor& monitor)
    : window(CreateFrame(owner)),
      doneLabel(AddFittedLabel(*window, "Выполнено:", 30)),
      statusLabel(AddFittedLabel(*window, " ", 0)),
      abortButton(AddAbortButton(*window)),
      overallBar(AddBar(*window, 48)),
      activityBar(AddBar(*window, 19)),
      timer(window->AddTimer(kWatchdogInterval)),
      watchdog(monitor) {
    timer.onTick = [this] { WatchdogTick(*this); };
    abortButton.onClick = [this] { AbortEncoder(*this); };
    window->SetResizable(false);
    window->CentreOnScreen();
    ResetProgress(*this, rowCount);
}

ProgressWindow::~ProgressWindow() {
    timer.SetEnabled(false);
}

std::unique_ptr<ProgressWindow> CreateProgressWindow(toolkit::Window& owner, int rowCount,
                                                     cpuusage::CpuUsageMonitor& monitor) {
    return std::make_unique<ProgressWindow>(owner, rowCount, monitor);
}

WatchdogPause::WatchdogPause(ProgressWindow& progress)
    : timer_(progress.timer), wasRunning_(progress.timer.IsEnabled()) {
    timer_.SetEnabled(false);
}

WatchdogPause::~WatchdogPause() {
    timer_.SetEnabled(wasRunning_);
}

void ResetProgress(ProgressWindow& progress, int rowCount) {
    progress.overallBar.SetPosition(0);
    progress.overallBar.SetRange(0, rowCount);
    progress.timer.SetEnabled(true);
}

EncoderWatch& BeginEncoder(ProgressWindow& progress, const std::string& name,
                           WatchedEncoder encoder) {
    progress.statusLabel.SetText("Обрабатывается: " + name);
    return progress.watchdog.Begin(std::move(encoder));
}

void StepActivity(ProgressWindow& progress) {
    toolkit::ProgressBar& bar = progress.activityBar;
    bar.SetPosition(bar.Position() + 1);
    if (bar.Position() == bar.Maximum()) {
        bar.SetPosition(0);
    }
}

EncoderWatch EndEncoder(ProgressWindow& progress, const EncoderWatch& watch) {
    EncoderWatch ended = progress.watchdog.End(watch);
    progress.timer.SetEnabled(true);
    progress.overallBar.SetPosition(progress.overallBar.Position() + 1);
    return ended;
}

void WatchdogTick(ProgressWindow& progress) {
    if (progress.watchdog.Tick()) {
        progress.timer.SetEnabled(false);
        progress.window->SetTopmost(false);
    }
}

void AbortEncoder(ProgressWindow& progress) {
    progress.watchdog.AbortAll();
}

}  // namespace kestrune::processmp3
