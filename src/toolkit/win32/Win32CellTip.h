// The info tip of a report list's cut cells: one tooltip over the list whose tool is the cell
// under the mouse pointer, showing the cell's whole text when the list draws it cut, and
// nothing over a cell that shows its text whole.
#pragma once

#include "toolkit/win32/Win32Handles.h"
#include "toolkit/win32/Win32Native.h"

#include <string>

namespace kestrune::toolkit::win32 {

class CellTip {
public:
    // The list outlives its tip.
    explicit CellTip(const NativeControl& list);

    // An inactive tip shows nothing.
    void SetActive(bool active);
    // A mouse message of the list: the tool moves to the cell under the pointer, and the
    // tooltip sees the message as the pointer's move over its tool.
    void Follow(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The whole text of the cell when the list draws it cut; empty when it shows it whole.
    std::wstring CutText(int row, int column) const;

    const NativeControl& list_;
    WindowHandle tips_;
    bool active_ = false;
    int row_ = -1;  // the cell the tool stands on; none at first
    int column_ = -1;
    std::wstring text_;  // the tool's text, which the tooltip reads when it shows
};

}  // namespace kestrune::toolkit::win32
