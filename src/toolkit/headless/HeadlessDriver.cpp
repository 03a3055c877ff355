// The test driver of the headless back end. It acts only through what a user could do:
// disabled controls ignore it, and every event fires after the state has changed.
#include "toolkit/headless/HeadlessDriver.h"

#include "platform/TextCodec.h"
#include "toolkit/headless/HeadlessSession.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <algorithm>
#include <stdexcept>

namespace kestrune::toolkit::headless {
HeadlessDriver::HeadlessDriver() {
    Session& session = TheSession();
    session.now = 0;
    session.processMessagesStep = 0;
    session.processMessagesHook = nullptr;
    session.foreignWindows.clear();
    session.workAreas = {{0, 0, kScreenSize.width, kScreenSize.height}};
    session.messageAnswers.clear();
    session.openDialogResults.clear();
    session.folderResults.clear();
    session.menuChoices.clear();
    session.shownMessages.clear();
    session.openDialogRequests.clear();
    session.folderDialogRequests.clear();
    session.shownMenus.clear();
    session.beepCount = 0;
    session.shellOpens.clear();
}

bool HeadlessDriver::Click(Control& control) {
    if (!control.IsEffectivelyEnabled()) {
        return false;
    }
    if (auto* button = dynamic_cast<base::ButtonBase*>(&control)) {
        button->PressedByUser();
    } else if (auto* imageButton = dynamic_cast<base::ImageButtonBase*>(&control)) {
        imageButton->PressedByUser();
    } else if (auto* checkBox = dynamic_cast<base::CheckBoxBase*>(&control)) {
        checkBox->ToggledByUser(!checkBox->IsChecked());
    } else if (auto* radio = dynamic_cast<base::RadioButtonBase*>(&control)) {
        radio->CheckedByUser();
    } else {
        throw std::invalid_argument("Click: this kind of control has no click");
    }
    return true;
}

bool HeadlessDriver::RightClick(Control& control) {
    auto* button = dynamic_cast<base::ImageButtonBase*>(&control);
    if (button == nullptr) {
        throw std::invalid_argument("RightClick: only image buttons have a context menu");
    }
    return button->IsEffectivelyEnabled() && button->ContextMenuRequestedByUser();
}

void HeadlessDriver::TypeText(Edit& edit, std::string_view text) {
    auto& field = dynamic_cast<base::EditBase&>(edit);
    if (!field.IsEffectivelyEnabled()) {
        return;
    }
    while (!text.empty()) {
        const std::string_view character = platform::FirstCharacters(text, 1);
        field.InsertedByUser(character);
        text.remove_prefix(character.size());
    }
}

bool HeadlessDriver::Paste(Edit& edit, std::string_view text) {
    auto& field = dynamic_cast<base::EditBase&>(edit);
    return field.IsEffectivelyEnabled() && field.InsertedByUser(text);
}

bool HeadlessDriver::SelectRow(ListView& listView, int row) {
    if (!listView.IsEffectivelyEnabled()) {
        return false;
    }
    dynamic_cast<base::ListViewBase&>(listView).SelectedByUser(row);
    return true;
}

bool HeadlessDriver::SelectComboItem(ComboBox& comboBox, int index) {
    if (index < 0 || index >= comboBox.ItemCount()) {
        throw std::out_of_range("SelectComboItem: no such item");
    }
    if (!comboBox.IsEffectivelyEnabled()) {
        return false;
    }
    dynamic_cast<base::ComboBoxBase&>(comboBox).SelectedByUser(index);
    return true;
}

bool HeadlessDriver::ReleaseUpDown(UpDown& upDown, Arrow arrow) {
    if (!upDown.IsEffectivelyEnabled()) {
        return false;
    }
    auto& arrows = dynamic_cast<base::UpDownBase&>(upDown);
    arrows.SteppedByUser(arrow == Arrow::Up ? 1 : -1);
    arrows.ReleasedByUser();
    return true;
}

bool HeadlessDriver::DragTrackBar(TrackBar& trackBar, int position) {
    if (!trackBar.IsEffectivelyEnabled()) {
        return false;
    }
    dynamic_cast<base::TrackBarBase&>(trackBar).MovedByUser(position);
    return true;
}

void HeadlessDriver::MouseEnter(ListView& listView) {
    dynamic_cast<base::ListViewBase&>(listView).EnteredByUser();
}

bool HeadlessDriver::DropFiles(ListView& listView, const std::vector<std::string>& paths) {
    return dynamic_cast<base::ListViewBase&>(listView).DroppedByUser(paths);
}

bool HeadlessDriver::RequestClose(Window& window) {
    return dynamic_cast<HeadlessWindow&>(window).CloseRequestedByUser();
}

bool HeadlessDriver::ResizeByUser(Window& window, const Size& outerSize) {
    if (!window.IsResizable()) {
        return false;
    }
    window.SetBounds({window.Left(), window.Top(), outerSize.width, outerSize.height});
    return true;
}

void HeadlessDriver::AdvanceTime(std::int64_t milliseconds) {
    RunClock(milliseconds);
}

std::int64_t HeadlessDriver::Now() const {
    return TheSession().now;
}

void HeadlessDriver::SetProcessMessagesStep(int milliseconds) {
    TheSession().processMessagesStep = milliseconds;
}

void HeadlessDriver::SetProcessMessagesHook(std::function<void()> hook) {
    TheSession().processMessagesHook = std::move(hook);
}

void HeadlessDriver::QueueMessageAnswer(MessageAnswer answer, std::function<void()> whileShown) {
    TheSession().messageAnswers.push_back({answer, std::move(whileShown)});
}

void HeadlessDriver::QueueOpenDialogResult(std::optional<std::string> result) {
    TheSession().openDialogResults.push_back(std::move(result));
}

void HeadlessDriver::QueueFolderResult(std::optional<std::string> folder) {
    TheSession().folderResults.push_back(std::move(folder));
}

void HeadlessDriver::QueueMenuChoice(std::optional<int> item) {
    TheSession().menuChoices.push_back(item);
}

std::size_t HeadlessDriver::PendingAnswers() const {
    const Session& session = TheSession();
    return session.messageAnswers.size() + session.openDialogResults.size() +
           session.folderResults.size() + session.menuChoices.size();
}

const std::vector<ShownMessage>& HeadlessDriver::ShownMessages() const {
    return TheSession().shownMessages;
}

const std::vector<OpenDialogRequest>& HeadlessDriver::OpenDialogRequests() const {
    return TheSession().openDialogRequests;
}

const std::vector<FolderDialogRequest>& HeadlessDriver::FolderDialogRequests() const {
    return TheSession().folderDialogRequests;
}

const std::vector<std::vector<MenuItem>>& HeadlessDriver::ShownMenus() const {
    return TheSession().shownMenus;
}

int HeadlessDriver::BeepCount() const {
    return TheSession().beepCount;
}

const std::vector<std::string>& HeadlessDriver::ShellOpens() const {
    return TheSession().shellOpens;
}

std::vector<Window*> HeadlessDriver::TopLevelWindows() const {
    const auto& windows = TheSession().windows;
    return {windows.begin(), windows.end()};
}

void HeadlessDriver::AddForeignWindow(const std::string& caption) {
    TheSession().foreignWindows.push_back(caption);
}

void HeadlessDriver::SetScreenWorkAreas(std::vector<Rect> areas) {
    TheSession().workAreas = std::move(areas);
}

const Control* HeadlessDriver::FocusedControl() const {
    const base::Node* focused = base::Node::FocusedNode();
    return focused != nullptr ? &focused->Self() : nullptr;
}

bool HeadlessDriver::IsAbove(const Control& upper, const Control& lower) const {
    const auto* upperNode = dynamic_cast<const base::Node*>(&upper);
    const auto* lowerNode = dynamic_cast<const base::Node*>(&lower);
    if (upperNode == nullptr || lowerNode == nullptr ||
        upperNode->ParentNode() != lowerNode->ParentNode() || upperNode->ParentNode() == nullptr) {
        return false;
    }
    const auto& stack = upperNode->ParentNode()->Children();
    const auto position = [&](const base::Node* node) {
        return std::find_if(stack.begin(), stack.end(),
                            [node](const auto& child) { return child.get() == node; });
    };
    return position(upperNode) > position(lowerNode);
}

}  // namespace kestrune::toolkit::headless
