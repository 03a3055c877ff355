#include "Unit1/EncodersMenu.h"

namespace kestrune::unit1 {

void ShowEncodersMenu(MainWindow& w) {
    const bool several = w.encoders != 1;
    if (toolkit::ShowContextMenu(*w.compressButton, {{kEncodersMenuItem, several}})) {
        w.encoders = several ? 1 : 0;
    }
}

}  // namespace kestrune::unit1
