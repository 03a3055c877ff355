// The one rule every back end follows when the list's selection moves.
#include "toolkit/ListView.h"

namespace kestrune::toolkit {

void ListView::ReportSelectionChange(int oldRow, int newRow) {
    if (oldRow == newRow || !onItemChanged) {
        return;
    }
    for (const int changed : {oldRow, newRow}) {
        if (changed >= 0) {
            onItemChanged(changed);
        }
    }
}

}  // namespace kestrune::toolkit
