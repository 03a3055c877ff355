// The hands of a test on any back end: what a user can do to the controls (click, type,
// paste, pick, drag, drop, close and resize windows, choose from context menus) and letting
// time pass while messages are dispatched. Input reaches only controls that are effectively
// enabled, as on a real screen. Every back end has a driver, so one suite of tests checks the
// toolkit's contract on all of them.
#pragma once

#include "toolkit/Toolkit.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::toolkit {

enum class Arrow { Up, Down };

class Driver {
public:
    Driver() = default;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
    virtual ~Driver() = default;

    // A click on a button, image button, check box (toggles it) or radio button (checks it
    // and unchecks its siblings). False when the control takes no input.
    virtual bool Click(Control& control) = 0;
    // A right click on an image button: its context menu handler runs. False when the
    // control takes no input or has no context menu.
    virtual bool RightClick(Control& control) = 0;
    // The user's choice in the next context menu shown: an item's index, or nothing to
    // dismiss it.
    virtual void QueueMenuChoice(std::optional<int> item) = 0;
    // The items of every context menu shown so far, in order, as the user saw them (texts
    // and check marks).
    virtual const std::vector<std::vector<MenuItem>>& ShownMenus() const = 0;
    // Types the text one character at a time: one change per character taken.
    virtual void TypeText(Edit& edit, std::string_view text) = 0;
    // Pastes the text at the caret as one change; false when the field takes no input.
    virtual bool Paste(Edit& edit, std::string_view text) = 0;
    // A click on a row (-1: on the empty area below the rows).
    virtual bool SelectRow(ListView& listView, int row) = 0;
    // Picks an item of the drop-down list.
    virtual bool SelectComboItem(ComboBox& comboBox, int index) = 0;
    // A click on one arrow: pressed, then released.
    virtual bool ReleaseUpDown(UpDown& upDown, Arrow arrow) = 0;
    virtual bool DragTrackBar(TrackBar& trackBar, int position) = 0;
    virtual void MouseEnter(ListView& listView) = 0;
    // Drops files on the list view; false when it does not take them.
    virtual bool DropFiles(ListView& listView, const std::vector<std::string>& paths) = 0;
    // The user closes the window from its title bar; false without a close command.
    virtual bool RequestClose(Window& window) = 0;
    // The user drags the window's frame to an outer size; false when it is not resizable.
    virtual bool ResizeByUser(Window& window, const Size& outerSize) = 0;
    // Lets the given time pass while messages are dispatched: timers tick, posted closes
    // are handled.
    virtual void Dispatch(int milliseconds) = 0;
    // The control with the keyboard focus; null when none has it.
    virtual const Control* FocusedControl() const = 0;
};

}  // namespace kestrune::toolkit
