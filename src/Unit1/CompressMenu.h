// The compress button's context menu: check items that shape the runs to come. One encoder
// per processor (unchecked: one encoder at a time), keeping the folder tree of added folders
// in the output folder, and never making a file larger than its source.
#pragma once

#include "Unit1/MainWindow.h"

namespace kestrune::unit1 {

inline constexpr const char* kEncodersMenuItem = "Несколько кодеров сразу (по числу процессоров)";
inline constexpr const char* kKeepFoldersMenuItem = "Сохранять структуру папок";
inline constexpr const char* kNeverLargerMenuItem = "Не делать файлы больше исходных";

// Shows the menu with each item checked as the window's runs are set; choosing an item
// switches it. The encoders item is checked while runs use several encoders, whatever number
// the settings file gave, and switches between one per processor and one.
void ShowCompressMenu(MainWindow& w);

}  // namespace kestrune::unit1
