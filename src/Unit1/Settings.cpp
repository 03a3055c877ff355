// The settings file through the platform's profile functions. Nothing here reports a
// failure: a missing file reads as defaults and a failed write is ignored.
#include "Unit1/Settings.h"

#include "ID3v1/GenreTable.h"
#include "Unit1/EncoderLocation.h"
#include "Unit1/RunPlan.h"
#include "Unit1/WindowPlacement.h"
#include "platform/File.h"
#include "platform/Locations.h"
#include "platform/Profile.h"

#include <algorithm>
#include <string>

namespace kestrune::unit1 {

namespace {

struct WindowKey {
    const char* name;
    int toolkit::Rect::*field;
};

constexpr WindowKey kWindowKeys[] = {
    {"Left", &toolkit::Rect::left},
    {"Top", &toolkit::Rect::top},
    {"Width", &toolkit::Rect::width},
    {"Height", &toolkit::Rect::height},
};

// The stored place and size, moved onto a screen before the window takes them: settings
// from another monitor set-up, or edited by hand, must not put it out of reach.
void ExchangeWindowBounds(MainWindow& w, const std::string& file, bool write) {
    const toolkit::Rect current = w.window->Bounds();
    toolkit::Rect bounds = current;
    for (const WindowKey& key : kWindowKeys) {
        int& value = bounds.*key.field;
        if (write) {
            platform::WriteProfileText(file, "Main", key.name, std::to_string(value));
        } else {
            value = platform::ReadProfileInt(file, "Main", key.name, value);
        }
    }
    // Without stored values the window keeps its own place and size; stored ones are placed
    // as the window will take them, within its minimum size.
    if (!write && !(bounds == current)) {
        const toolkit::Size smallest = w.window->MinimumSize();
        bounds.width = std::max(bounds.width, smallest.width);
        bounds.height = std::max(bounds.height, smallest.height);
        w.window->SetBounds(PlaceOnScreen(bounds, toolkit::ScreenWorkAreas()));
    }
}

void ExchangeText(const std::string& file, const char* section, const char* key, std::string& value,
                  bool write) {
    if (write) {
        platform::WriteProfileText(file, section, key, value);
    } else {
        value = platform::ReadProfileText(file, section, key, value);
    }
}

// The number of encoders at once is in the file only once the user has changed it, so the
// file of a user who never did keeps the keys it always had.
void ExchangeEncoders(MainWindow& w, const std::string& file, bool write) {
    // Only a missing key reads as whatever default it is given.
    const std::string stored = platform::ReadProfileText(file, "Options", "Encoders", "");
    const bool present = stored == platform::ReadProfileText(file, "Options", "Encoders", "-");
    if (write) {
        if (present || w.encoders != 1) {
            platform::WriteProfileText(file, "Options", "Encoders", std::to_string(w.encoders));
        }
    } else {
        w.encoders = present ? EncodersSettingOf(stored) : 1;
    }
}

// A switch of [Options], in the file only once the user has switched it on, as 0 or 1.
void ExchangeSwitch(const std::string& file, const char* key, bool& value, bool write) {
    const std::string stored = platform::ReadProfileText(file, "Options", key, "");
    if (write) {
        if (!stored.empty() || value) {
            platform::WriteProfileText(file, "Options", key, value ? "1" : "0");
        }
    } else {
        value = stored == "1";
    }
}

}  // namespace

void ExchangeSettings(MainWindow& w, SettingsExchange direction) {
    const bool write = direction == SettingsExchange::write;
    const std::string file = platform::SettingsFilePath();
    ExchangeWindowBounds(w, file, write);
    ExchangeText(file, "Lame", "Patch", w.encoderPath, write);
    if (w.encoderPath.empty()) {
        w.encoderPath = w.programFolder;
    }
    ExchangeText(file, "MP3", "PatchIn", w.inputFolder, write);
    ExchangeText(file, "MP3", "PatchOut", w.outputFolder, write);
    if (w.outputFolder.empty()) {
        w.outputFolder = platform::DefaultOutputFolder();
    }
    ExchangeEncoders(w, file, write);
    ExchangeSwitch(file, "KeepFolders", w.keepFolders, write);
    ExchangeSwitch(file, "NeverLarger", w.neverLarger, write);
}

void InitialiseSession(MainWindow& w) {
    w.programFolder = platform::ProgramFolder();
    ExchangeSettings(w, SettingsExchange::read);
    w.fileListView->SetAcceptsFiles(true);
    // The folder browser wants its start without a separator at the end.
    w.folderDialog->SetInitialFolder(
        std::string(platform::WithoutTrailingSeparator(w.outputFolder)));
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
