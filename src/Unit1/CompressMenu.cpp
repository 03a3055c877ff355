// The three check items of the compress button's menu, in their order.
#include "Unit1/CompressMenu.h"

namespace kestrune::unit1 {

void ShowCompressMenu(MainWindow& w) {
    const bool several = w.encoders != 1;
    const std::optional<int> chosen =
        toolkit::ShowContextMenu(*w.compressButton, {{kEncodersMenuItem, several},
                                                     {kKeepFoldersMenuItem, w.keepFolders},
                                                     {kNeverLargerMenuItem, w.neverLarger}});
    if (chosen == 0) {
        w.encoders = several ? 1 : 0;
    } else if (chosen == 1) {
        w.keepFolders = !w.keepFolders;
    } else if (chosen == 2) {
        w.neverLarger = !w.neverLarger;
    }
}

}  // namespace kestrune::unit1
