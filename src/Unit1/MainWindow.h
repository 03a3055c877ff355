// The program's main window as one record: the toolkit window, every control by name, the
// dialogs, image strips and hints, the file list, the folders and paths kept in the
// settings, and the state of the tag editor. Handlers receive it; the window owns the
// controls and the record owns the window.
#pragma once

#include "Unit1/BackgroundAdd.h"
#include "Unit1/FileList.h"
#include "adCpuUsage/CpuUsageMonitor.h"
#include "toolkit/Toolkit.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrune::processmp3 {
class ProgressWindow;
}

namespace kestrune::unit1 {

struct MainWindow {
    std::unique_ptr<toolkit::Window> window;

    toolkit::FolderDialog* folderDialog = nullptr;
    toolkit::ImageList* toolImages = nullptr;
    toolkit::OpenDialog* openDialog = nullptr;
    toolkit::Hints* hints = nullptr;
    toolkit::ImageList* rowImages = nullptr;

    toolkit::Panel* leftPanel = nullptr;
    toolkit::ImageButton* helpButton = nullptr;
    toolkit::ImageButton* addButton = nullptr;
    toolkit::ImageButton* newListButton = nullptr;
    toolkit::ListView* fileListView = nullptr;
    toolkit::ImageButton* compressButton = nullptr;
    toolkit::ImageButton* deleteRowButton = nullptr;

    toolkit::Panel* optionsPanel = nullptr;
    toolkit::CheckBox* monoBox = nullptr;
    toolkit::GroupBox* tagGroup = nullptr;
    toolkit::Label* albumLabel = nullptr;
    toolkit::Label* artistLabel = nullptr;
    toolkit::Label* titleLabel = nullptr;
    toolkit::Label* genreLabel = nullptr;
    toolkit::Label* yearLabel = nullptr;
    toolkit::CheckBox* id3v2Box = nullptr;
    toolkit::CheckBox* id3v1Box = nullptr;
    toolkit::Edit* yearEdit = nullptr;
    toolkit::Edit* albumEdit = nullptr;
    toolkit::Edit* artistEdit = nullptr;
    toolkit::Edit* titleEdit = nullptr;
    toolkit::Button* saveButton = nullptr;
    toolkit::ComboBox* genreBox = nullptr;
    toolkit::GroupBox* bitRateGroup = nullptr;
    toolkit::Label* kbpsLabel = nullptr;
    toolkit::Label* lowerLabel = nullptr;
    toolkit::Label* bitRateLabel = nullptr;
    toolkit::Label* higherLabel = nullptr;
    toolkit::Label* qualityLabel = nullptr;
    toolkit::RadioButton* cbrRadio = nullptr;
    toolkit::RadioButton* vbrRadio = nullptr;
    toolkit::TrackBar* qualityTrackBar = nullptr;
    toolkit::UpDown* bitRateUpDown = nullptr;

    FileList fileList;

    std::string programFolder;  // the executable's folder, ending with a separator
    std::string encoderPath;
    std::string inputFolder;   // where the open dialog starts
    std::string outputFolder;  // the folder of the last run
    // How many encoders a run keeps going at once: 1 (the usual run, one row after the
    // other), more, or 0 for one per processor (see EncodersAtOnce).
    int encoders = 1;
    // Runs write the outputs of added folders into the same tree below the output folder.
    bool keepFolders = false;
    // Runs copy a file instead of making it larger.
    bool neverLarger = false;

    int currentRow = 0;  // the row the tag editor shows; 0 when none
    // Column 0 of that row; nothing when no row is shown (a file named ".mp3" shows an
    // empty name).
    std::optional<std::string> currentRowName;
    bool showingRow = false;  // the editor's fields are being filled with a row's values

    // The idle watchdog's processor-load sampler, for the whole life of the window.
    std::unique_ptr<cpuusage::CpuUsageMonitor> cpuUsageMonitor;
    // The add that runs in the background, and the timer that takes its files into the list;
    // null when none runs.
    std::unique_ptr<BackgroundAdd> backgroundAdd;
    toolkit::Timer* addTimer = nullptr;
    // Asks for a folder to add (the add button's context menu).
    toolkit::FolderDialog* addFolderDialog = nullptr;

    // The progress window of the run in progress; null when no run is in progress.
    processmp3::ProgressWindow* runProgress = nullptr;
    // The window is closing: a run in progress stops after its current row.
    bool closing = false;
};

}  // namespace kestrune::unit1
