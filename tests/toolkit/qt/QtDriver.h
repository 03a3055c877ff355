// The contract's driver on the Qt back end: it acts as a user would, through Qt's input
// events on the widgets (mouse clicks, key presses, the clipboard, drag and drop, close and
// context menu events), so the contract checks the back end's wiring and not only the skeleton.
#pragma once

#include "contract/MenuAnswers.h"
#include "toolkit/Driver.h"

#include <optional>
#include <vector>

class QMenu;

namespace kestrune::toolkit::qt {

class QtDriver final : public Driver {
public:
    QtDriver();

    bool Click(Control& control) override;
    // A context menu shown meanwhile is answered from the keyboard once its loop runs.
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
    void Dispatch(int milliseconds) override;
    const Control* FocusedControl() const override;

private:
    // Records the menu's items and picks the queued choice with the arrow keys and Enter, or
    // dismisses the menu with Escape.
    void AnswerMenu(QMenu& menu);

    contract::MenuAnswers menus_;
};

}  // namespace kestrune::toolkit::qt
