// The help file is found by the platform layer and shown in the platform's help viewer.
#include "Unit1/Help.h"

#include "platform/Locations.h"

namespace kestrune::unit1 {

void OpenHelp(MainWindow& w) {
    if (toolkit::FindTopLevelWindow(kHelpWindowCaption)) {
        return;
    }
    if (const auto helpFile = platform::HelpFilePath(w.programFolder)) {
        toolkit::ShowHelp(w.window.get(), *helpFile);
    }
}

}  // namespace kestrune::unit1
