// The settings kept from one use to the next (window place and size, encoder, last input
// and output folders, encoders at once, the compress menu's switches) and the start of a
// session that reads them.
#pragma once

#include "Unit1/MainWindow.h"

namespace kestrune::unit1 {

enum class SettingsExchange { read, write };

// Reads or writes the seven keys of the settings file in their fixed order, then the number
// of encoders at once when the user has set one, and KeepFolders and NeverLarger once
// switched on. A missing window key keeps the current
// value; the window's place and size are applied together, once moved onto a screen. An
// empty encoder path or output folder falls back to the program folder or the default
// output folder. The number of encoders is read as EncodersSettingOf reads it.
void ExchangeSettings(MainWindow& w, SettingsExchange direction);

// The last step of building the window: the program folder, the settings, the folder
// browser's start, the genre names, and an encoder that exists (asked for when none is
// found; without one the window is asked to close).
void InitialiseSession(MainWindow& w);

}  // namespace kestrune::unit1
