// Rows come from the analysis of one file (ReadFileListRow), the same function the probe
// uses, so the list and the probe always agree.
#include "Unit1/ListCommands.h"

#include "MPEGaudio/FileListRow.h"
#include "Unit1/FolderAdd.h"
#include "Unit1/TagEditor.h"
#include "platform/File.h"
#include "toolkit/OpenDialogResult.h"

#include <algorithm>

namespace kestrune::unit1 {

void AppendRow(MainWindow& w, const std::string& path, const mpeg::FileListRow& analysis,
               std::string folderBelow) {
    toolkit::ListView& view = *w.fileListView;
    const int row = view.AddRow(analysis.name);
    view.SetRowImage(row, kRowCreatedImage);
    view.SetCellText(row, 1, mpeg::GroupThousands(analysis.size));
    if (analysis.valid) {
        view.SetCellText(row, 2, mpeg::BitRateText(analysis));
        view.SetRowImage(row, kRowAnalysedImage);
        view.SetCellText(row, 3, mpeg::KindText(analysis));
    }
    w.fileList.Append(EntryOf(path, analysis, std::move(folderBelow)));
}

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// A path the toolkit could not hand over as it is: a name that was not valid UTF-8 comes
// with U+FFFD in place of its bad bytes, and then names no file.
bool IsMangled(const std::string& path) {
    return path.find(kReplacementCharacter) != std::string::npos && !platform::IsExistingFile(path);
}

void TellRefused(MainWindow& w, const std::vector<std::string>& refused) {
    std::string text = "Имена этих файлов не удаётся передать без искажений, файлы не добавлены:";
    for (const std::string& path : refused) {
        text += "\r\n" + std::string(platform::FileNameOf(path));
    }
    toolkit::ShowMessage(w.window.get(), text, w.window->Caption());
}

}  // namespace

void AddFiles(MainWindow& w) {
    toolkit::OpenDialog& dialog = *w.openDialog;
    dialog.SetFilters({kMp3Filter});
    dialog.SetTitle("");  // the platform's own; the encoder search gives the dialog another
    dialog.SetFileName("");
    dialog.SetInitialFolder(w.inputFolder);
    const auto result = dialog.Execute();
    if (!result) {
        return;
    }
    AddSelection(w, toolkit::SelectedPaths(*result, platform::kNativeSeparators));
    w.inputFolder = toolkit::SelectionFolder(*result, platform::kNativeSeparators);
}

void AddSelection(MainWindow& w, const std::vector<std::string>& paths) {
    CancelAdd(w);  // another add ends one running in the background; its rows stay
    std::vector<std::string> carried;
    std::vector<std::string> refused;
    std::ranges::partition_copy(paths, std::back_inserter(refused), std::back_inserter(carried),
                                IsMangled);
    for (const std::string& path : NewPaths(w.fileList, carried)) {
        AppendRow(w, path, mpeg::ReadFileListRow(path));
    }
    if (!refused.empty()) {
        TellRefused(w, refused);
    }
}

void DeleteRow(MainWindow& w) {
    const int row = w.fileListView->SelectedRow();
    if (row >= 0) {
        w.fileListView->DeleteRow(row);
        w.fileList.Erase(row);
    }
    ClearTagEditor(w);
}

void NewList(MainWindow& w) {
    CancelAdd(w);
    w.fileListView->DeleteAllRows();
    w.fileList.Clear();
    ClearTagEditor(w);
}

}  // namespace kestrune::unit1
