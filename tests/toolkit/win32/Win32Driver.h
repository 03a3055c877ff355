// The tests' hands on the Win32 back end. Each action is the window message a user's action
// makes, sent to the control's own window, so what is checked is the back end's wiring:
// clicks (BM_CLICK, or the mouse on list rows, arrows and the thumb), typed characters
// (WM_CHAR), pastes through the clipboard (WM_PASTE), picks with their notification
// (CBN_SELCHANGE), drops (WM_DROPFILES with a drop handle made in memory), the system
// menu's close (SC_CLOSE) and right clicks, whose context menus are read and answered with
// keys posted to their modal loop. Input reaches a control only when it and every window it is in
// are visible and enabled, as the system's hit testing allows.
#pragma once

#include "contract/MenuAnswers.h"
#include "toolkit/Driver.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace kestrune::toolkit::win32 {

class Win32Driver final : public Driver {
public:
    bool Click(Control& control) override;
    bool RightClick(Control& control) override;
    void QueueMenuChoice(std::optional<int> item) override;
    const std::vector<std::vector<MenuItem>>& ShownMenus() const override;
    void TypeText(Edit& edit, std::string_view text) override;
    bool Paste(Edit& edit, std::string_view text) override;
    bool SelectRow(ListView& listView, int row) override;
    bool SelectComboItem(ComboBox& comboBox, int index) override;
    bool ReleaseUpDown(UpDown& upDown, Arrow arrow) override;
    bool DragTrackBar(TrackBar& trackBar, int position) override;
    void MouseEnter(ListView& listView) override;
    bool DropFiles(ListView& listView, const std::vector<std::string>& paths) override;
    bool RequestClose(Window& window) override;
    bool ResizeByUser(Window& window, const Size& outerSize) override;
    // Dispatches messages for the given time, as the program's loop would.
    void Dispatch(int milliseconds) override;
    // The control whose window has the keyboard focus.
    const Control* FocusedControl() const override;

private:
    contract::MenuAnswers menus_;
};

// The window of one of the back end's controls.
HWND WindowOf(const Control& control);

}  // namespace kestrune::toolkit::win32
