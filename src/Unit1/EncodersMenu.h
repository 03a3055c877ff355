// The compress button's context menu: one check item that has a run keep one encoder going
// per processor, or, unchecked, one encoder at a time.
#pragma once

#include "Unit1/MainWindow.h"

namespace kestrune::unit1 {

inline constexpr const char* kEncodersMenuItem = "Несколько кодеров сразу (по числу процессоров)";

// Shows the menu; the item is checked while runs use several encoders, whatever number the
// settings file gave, and choosing it switches between one per processor and one.
void ShowEncodersMenu(MainWindow& w);

}  // namespace kestrune::unit1
