// Rows come from the analysis of one file (ReadFileListRow), the same function the probe
// uses, so the list and the probe always agree.
#include "Unit1/ListCommands.h"

#include "MPEGaudio/FileListRow.h"
#include "Unit1/TagEditor.h"

namespace kestrune::unit1 {

namespace {

constexpr int kRowCreatedImage = 0;
constexpr int kRowAnalysedImage = 1;

// Appends the row of one path to the list view and its tag values to the lists.
void AppendAnalysedRow(MainWindow& w, const std::string& path) {
    const mpeg::FileListRow analysis = mpeg::ReadFileListRow(path);
    toolkit::ListView& view = *w.fileListView;
    const int row = view.AddRow(analysis.name);
    view.SetRowImage(row, kRowCreatedImage);
    view.SetCellText(row, 1, mpeg::GroupThousands(analysis.size));
    if (analysis.valid) {
        view.SetCellText(row, 2, mpeg::BitRateText(analysis));
        view.SetRowImage(row, kRowAnalysedImage);
        view.SetCellText(row, 3, mpeg::KindText(analysis));
    }
    FileList& list = w.fileList;
    list.titles.push_back(analysis.title);
    list.artists.push_back(analysis.artist);
    list.albums.push_back(analysis.album);
    list.years.push_back(analysis.year);
    list.genres.push_back(analysis.genre);
    list.tracks.push_back(analysis.track);
    list.comments.push_back(analysis.comment);
}

template <class Entries>
void EraseAt(Entries& entries, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < entries.size()) {
        entries.erase(entries.begin() + index);
    }
}

}  // namespace

void AddFiles(MainWindow& w) {
    toolkit::OpenDialog& dialog = *w.openDialog;
    dialog.SetFilters({kMp3Filter});
    dialog.SetFileName("");
    dialog.SetInitialFolder(w.inputFolder);
    const auto result = dialog.Execute();
    if (!result) {
        return;
    }
    AddSelection(w, SelectedPaths(*result, platform::kNativeSeparators));
    w.inputFolder = SelectionFolder(*result, platform::kNativeSeparators);
}

void AddSelection(MainWindow& w, const std::vector<std::string>& paths) {
    const std::vector<std::string>& sourcePaths = w.fileList.sourcePaths;
    const std::size_t firstNew = sourcePaths.size();
    AddPaths(w.fileList, paths);
    for (std::size_t row = firstNew; row < sourcePaths.size(); ++row) {
        AppendAnalysedRow(w, sourcePaths[row]);
    }
}

void DeleteRow(MainWindow& w) {
    const int row = w.fileListView->SelectedRow();
    if (row >= 0) {
        w.fileListView->DeleteRow(row);
        FileList& list = w.fileList;
        for (auto* entries : {&list.sourcePaths, &list.titles, &list.artists, &list.albums,
                              &list.genres, &list.years, &list.tracks, &list.comments}) {
            EraseAt(*entries, row);
        }
    }
    ClearTagEditor(w);
}

void NewList(MainWindow& w) {
    w.fileListView->DeleteAllRows();
    w.fileList = FileList{};
    ClearTagEditor(w);
}

}  // namespace kestrune::unit1
