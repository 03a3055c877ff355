// The tests' hands on the headless back end: user input (clicks, typing, pasting,
// selecting, dropping, closing, resizing), the virtual clock, answers queued for the next
// message boxes, dialogs and context menus, and records of what the program showed, beeped and
// opened. User input reaches only controls that are effectively enabled, as on a real screen. The
// headless RunMessageLoop returns once nothing is pending; the test drives from there.
#pragma once

#include "toolkit/Driver.h"
#include "toolkit/Toolkit.h"
#include "toolkit/headless/HeadlessRecords.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::toolkit::headless {

using toolkit::Arrow;

class HeadlessDriver final : public Driver {
public:
    // Starts from a clean slate: clock at 0, no queued answers, nothing recorded, no
    // foreign windows, one screen. Windows that already exist, and their posted closes, are kept.
    HeadlessDriver();

    // A click on a button, image button, check box (toggles it) or radio button (checks it
    // and unchecks its siblings), then its onClick. False when the control takes no input.
    bool Click(Control& control) override;
    // A right click on an image button, then its onContextMenu. False when the button takes
    // no input or has no context menu.
    bool RightClick(Control& control) override;
    // Types the text one character at a time: one change per character taken.
    void TypeText(Edit& edit, std::string_view text) override;
    // Pastes the text at the caret as one change; false when the field refuses it.
    bool Paste(Edit& edit, std::string_view text) override;
    // A click on a row (-1: on the empty area below the rows).
    bool SelectRow(ListView& listView, int row) override;
    // Picks an item of the drop-down list, then its onSelect.
    bool SelectComboItem(ComboBox& comboBox, int index) override;
    // A click on one arrow: the position steps within the range, then onMouseUp.
    bool ReleaseUpDown(UpDown& upDown, Arrow arrow) override;
    bool DragTrackBar(TrackBar& trackBar, int position) override;
    void MouseEnter(ListView& listView) override;
    // Drops files on the list view; false when it does not accept files.
    bool DropFiles(ListView& listView, const std::vector<std::string>& paths) override;
    // The user closes the window from its title bar; false without a close command.
    bool RequestClose(Window& window) override;
    // The user drags the window's frame to an outer size; false when it is not resizable.
    bool ResizeByUser(Window& window, const Size& outerSize) override;

    // Lets the virtual clock run, dispatching posted closes and timer ticks on the way.
    void AdvanceTime(std::int64_t milliseconds);
    void Dispatch(int milliseconds) override { AdvanceTime(milliseconds); }
    std::int64_t Now() const;
    // Every later ProcessMessages first moves the clock by this much (a wait slice).
    void SetProcessMessagesStep(int milliseconds);
    // Every later ProcessMessages first runs this.
    void SetProcessMessagesHook(std::function<void()> hook);

    // Answers for the next message boxes, dialogs and context menus, in order. A message box's
    // whileShown runs while it is open (its modal loop dispatches timers), for example AdvanceTime.
    void QueueMessageAnswer(MessageAnswer answer, std::function<void()> whileShown = {});
    void QueueOpenDialogResult(std::optional<std::string> result);
    void QueueFolderResult(std::optional<std::string> folder);
    void QueueMenuChoice(std::optional<int> item) override;
    // Queued answers not yet taken, of all kinds.
    std::size_t PendingAnswers() const;

    const std::vector<ShownMessage>& ShownMessages() const;
    const std::vector<OpenDialogRequest>& OpenDialogRequests() const;
    const std::vector<FolderDialogRequest>& FolderDialogRequests() const;
    const std::vector<std::vector<MenuItem>>& ShownMenus() const override;
    int BeepCount() const;
    // Files opened through the shell, help files shown included.
    const std::vector<std::string>& ShellOpens() const;
    // Live top-level windows, closed ones included, in creation order.
    std::vector<Window*> TopLevelWindows() const;
    // A window of another program, seen by FindTopLevelWindow.
    void AddForeignWindow(const std::string& caption);
    // The screens' work areas from now on; one screen of kScreenSize at first.
    void SetScreenWorkAreas(std::vector<Rect> areas);
    // Of two siblings, the one drawn on top where they overlap.
    bool IsAbove(const Control& upper, const Control& lower) const;
    // The control with the keyboard focus; null when none has it.
    const Control* FocusedControl() const override;
};

}  // namespace kestrune::toolkit::headless
