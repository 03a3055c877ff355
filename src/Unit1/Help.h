// The help button: opens the help file unless the help is already open.
#pragma once

#include "Unit1/MainWindow.h"

namespace kestrune::unit1 {

// Caption of the help viewer's window.
inline constexpr const char* kHelpWindowCaption = "Справка";

// Nothing while a window captioned "Справка" exists; otherwise shows the program's help file
// in the platform's help viewer (ShowHelp) when there is one, silently nothing when there is
// none.
void OpenHelp(MainWindow& w);

}  // namespace kestrune::unit1
