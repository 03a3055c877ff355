// The toolkit's free functions for the headless back end. Message boxes and context menus
// take their answers from the session's queues; the message loop returns once nothing is pending,
// since no user will come to give it input.
#include "toolkit/Application.h"

#include "toolkit/headless/HeadlessSession.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <algorithm>

namespace kestrune::toolkit {

using headless::HeadlessWindow;
using headless::TheSession;

namespace {

bool IsButtonOf(MessageAnswer answer, MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) {
        return answer == MessageAnswer::Ok;
    }
    return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
}

}  // namespace

std::unique_ptr<Window> CreateTopLevelWindow(const std::string& caption, Window* owner) {
    return std::make_unique<HeadlessWindow>(caption, dynamic_cast<HeadlessWindow*>(owner));
}

MessageAnswer ShowMessage(const Window* owner, const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) {
    headless::Session& session = TheSession();
    session.shownMessages.push_back({owner, text, caption, buttons, icon});
    if (session.messageAnswers.empty()) {
        throw headless::UnexpectedDialog("message box shown with no answer queued: " + text);
    }
    headless::QueuedMessageAnswer queued = std::move(session.messageAnswers.front());
    session.messageAnswers.pop_front();
    if (!IsButtonOf(queued.answer, buttons)) {
        throw headless::UnexpectedDialog("queued answer is not a button of the message box: " +
                                         text);
    }
    if (queued.whileShown) {
        queued.whileShown();
    }
    return queued.answer;
}

std::optional<int> ShowContextMenu(const Control&, const std::vector<MenuItem>& items) {
    headless::Session& session = TheSession();
    session.shownMenus.push_back(items);
    if (session.menuChoices.empty()) {
        throw headless::UnexpectedDialog("context menu shown with no choice queued");
    }
    const std::optional<int> choice = session.menuChoices.front();
    session.menuChoices.pop_front();
    if (choice && (*choice < 0 || *choice >= static_cast<int>(items.size()))) {
        throw headless::UnexpectedDialog("queued choice is not an item of the context menu");
    }
    return choice;
}

std::vector<Rect> ScreenWorkAreas() {
    return TheSession().workAreas;
}

void Beep() {
    ++TheSession().beepCount;
}

void ProcessMessages() {
    headless::Session& session = TheSession();
    if (session.processMessagesHook) {
        session.processMessagesHook();
    }
    session.now += session.processMessagesStep;
    headless::DispatchPending();
}

void RunMessageLoop(Window& mainWindow) {
    mainWindow.Show();
    headless::DispatchPending();
}

bool FindTopLevelWindow(const std::string& caption) {
    const headless::Session& session = TheSession();
    return std::ranges::any_of(session.windows,
                               [&](const HeadlessWindow* window) {
                                   return !window->IsClosed() && window->Caption() == caption;
                               }) ||
           std::ranges::find(session.foreignWindows, caption) != session.foreignWindows.end();
}

bool ShowHelp(const Window*, const std::string& path) {
    return ShellOpen(path);
}

bool ShellOpen(const std::string& path) {
    TheSession().shellOpens.push_back(path);
    return true;
}

}  // namespace kestrune::toolkit
