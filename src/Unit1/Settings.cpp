// The settings file through the platform's profile functions. Nothing here reports a
// failure: a missing file reads as defaults and a failed write is ignored.
#include "Unit1/Settings.h"

#include "ID3v1/GenreTable.h"
#include "Unit1/EncoderLocation.h"
#include "platform/File.h"
#include "platform/Locations.h"
#include "platform/Profile.h"

#include <string>

namespace kestrune::unit1 {

namespace {

struct WindowKey {
    const char* name;
    int (toolkit::Control::*get)() const;
    void (toolkit::Control::*set)(int);
};

constexpr WindowKey kWindowKeys[] = {
    {"Left", &toolkit::Control::Left, &toolkit::Control::SetLeft},
    {"Top", &toolkit::Control::Top, &toolkit::Control::SetTop},
    {"Width", &toolkit::Control::Width, &toolkit::Control::SetWidth},
    {"Height", &toolkit::Control::Height, &toolkit::Control::SetHeight},
};

void ExchangeText(const std::string& file, const char* section, const char* key, std::string& value,
                  bool write) {
    if (write) {
        platform::WriteProfileString(file, section, key, value);
    } else {
        value = platform::ReadProfileString(file, section, key, value);
    }
}

// One separator at the end taken off, as the folder browser wants its start.
std::string WithoutTrailingSeparator(std::string folder) {
    if (!folder.empty() &&
        platform::kNativeSeparators.all.find(folder.back()) != std::string_view::npos) {
        folder.pop_back();
    }
    return folder;
}

}  // namespace

void ExchangeSettings(MainWindow& w, bool write) {
    const std::string file = platform::SettingsFilePath();
    toolkit::Window& window = *w.window;
    for (const WindowKey& key : kWindowKeys) {
        const int current = (window.*key.get)();
        if (write) {
            platform::WriteProfileString(file, "Main", key.name, std::to_string(current));
        } else {
            (window.*key.set)(platform::ReadProfileInt(file, "Main", key.name, current));
        }
    }
    ExchangeText(file, "Lame", "Patch", w.encoderPath, write);
    if (w.encoderPath.empty()) {
        w.encoderPath = w.programFolder;
    }
    ExchangeText(file, "MP3", "PatchIn", w.inputFolder, write);
    ExchangeText(file, "MP3", "PatchOut", w.outputFolder, write);
    if (w.outputFolder.empty()) {
        w.outputFolder = platform::DefaultOutputFolder();
    }
}

void InitialiseSession(MainWindow& w) {
    w.programFolder = platform::ProgramFolder();
    ExchangeSettings(w, false);
    w.fileListView->SetAcceptsFiles(true);
    w.folderDialog->SetInitialFolder(WithoutTrailingSeparator(w.outputFolder));
    w.genreBox->AddItem("");
    for (const std::string_view name : id3v1::GenreTable()) {
        w.genreBox->AddItem(std::string(name));
    }
    if (!platform::IsExistingFile(w.encoderPath)) {
        if (auto found = platform::FindEncoder()) {
            w.encoderPath = std::move(*found);
        } else {
            LocateEncoder(w);
        }
    }
}

}  // namespace kestrune::unit1
