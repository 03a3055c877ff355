// The window's side of a background add. Each timer tick takes analysed files into the list
// for at most kTakeSlice, so the window dispatches its messages at least every 100 ms however
// many files are waiting.
#include "Unit1/FolderAdd.h"

#include "Unit1/ListCommands.h"
#include "platform/File.h"
#include "platform/Paths.h"

#include <chrono>

namespace kestrune::unit1 {

namespace {

constexpr int kTakeInterval = 50;  // milliseconds between two ticks of the add's timer
constexpr std::chrono::milliseconds kTakeSlice{40};
constexpr const char* kCaption = "Kestrune";

std::string Grouped(std::size_t count) {
    return mpeg::GroupThousands(static_cast<std::int64_t>(count));
}

void TellUnreadable(MainWindow& w, const std::vector<std::string>& folders) {
    std::string text = "Эти папки не удалось прочитать, их файлы не добавлены:";
    for (const std::string& folder : folders) {
        text += "\r\n" + folder;
    }
    toolkit::ShowMessage(w.window.get(), text, kCaption);
}

// Ends the add: the timer stops, the caption and the compress button are as before it.
void Finish(MainWindow& w) {
    w.addTimer->SetEnabled(false);
    w.backgroundAdd.reset();
    w.window->SetCaption(kCaption);
    w.compressButton->SetEnabled(w.runProgress == nullptr);
}

void TakeAnalysedFiles(MainWindow& w) {
    BackgroundAdd& add = *w.backgroundAdd;
    const bool done = add.IsDone();  // before Take: what is taken then is everything
    const auto until = std::chrono::steady_clock::now() + kTakeSlice;
    std::deque<AnalysedFile> files = add.Take();
    while (!files.empty() && std::chrono::steady_clock::now() < until) {
        AnalysedFile& file = files.front();
        AppendRow(w, file.found.path, file.analysis, std::move(file.found.folderBelow));
        files.pop_front();
    }
    const bool finished = done && files.empty();
    if (!files.empty()) {
        // The rest waits for the next tick, in order, before anything found later.
        add.PutBack(std::move(files));
    }
    if (finished) {
        const std::vector<std::string> unreadable = add.UnreadableFolders();
        Finish(w);
        if (!unreadable.empty()) {
            TellUnreadable(w, unreadable);
        }
        return;
    }
    w.window->SetCaption(std::string(kCaption) + " — добавление файлов: " +
                         Grouped(static_cast<std::size_t>(w.fileList.Count())) + " в списке, " +
                         Grouped(add.FoundCount()) + " найдено");
}

}  // namespace

void AddInBackground(MainWindow& w, std::vector<std::string> paths) {
    CancelAdd(w);
    w.backgroundAdd = std::make_unique<BackgroundAdd>(std::move(paths), w.fileList.SpellingKeys());
    if (w.addTimer == nullptr) {
        w.addTimer = &w.window->AddTimer(kTakeInterval);
        w.addTimer->onTick = [&w] {
            if (w.backgroundAdd) {
                TakeAnalysedFiles(w);
            }
        };
    }
    w.compressButton->SetEnabled(false);
    w.addTimer->SetEnabled(true);
}

void CancelAdd(MainWindow& w) {
    if (w.backgroundAdd) {
        Finish(w);
    }
}

void ShowAddMenu(MainWindow& w) {
    if (w.runProgress != nullptr) {
        return;  // the list does not change under a run
    }
    if (toolkit::ShowContextMenu(*w.addButton, {{kAddFolderMenuItem, false}})) {
        w.addFolderDialog->SetInitialFolder(
            std::string(platform::WithoutTrailingSeparator(w.inputFolder)));
        if (const std::optional<std::string> folder = w.addFolderDialog->Execute()) {
            AddInBackground(w, {*folder});
        }
    }
}

}  // namespace kestrune::unit1
