// Headless measuring, timers and dialogs.
#include "toolkit/headless/HeadlessControls.h"

#include "toolkit/headless/HeadlessSession.h"
#include "toolkit/headless/TextMetrics.h"

#include <algorithm>

namespace kestrune::toolkit::headless {
namespace {

constexpr int kCheckMarkWidth = 17;  // the box in front of a check box's caption

// Takes the next queued answer of a kind, or fails when the test queued none.
template <class Answer>
Answer TakeAnswer(std::deque<Answer>& queue, const std::string& what) {
    if (queue.empty()) {
        throw UnexpectedDialog(what + " shown with no answer queued");
    }
    Answer answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

Size HeadlessLabel::FittedSize() const {
    return TextExtent(Text(), GetFont());
}

Size HeadlessCheckBox::FittedSize() const {
    const Size text = TextExtent(Text(), GetFont());
    return {kCheckMarkWidth + text.width, std::max(kCheckMarkWidth, text.height)};
}

HeadlessTimer::HeadlessTimer(int interval) : TimerBase(interval) {
    TheSession().timers.push_back(this);
}

HeadlessTimer::~HeadlessTimer() {
    std::erase(TheSession().timers, this);
}

void HeadlessTimer::ShowStarted() {
    due_ = TheSession().now + Interval();
}

void HeadlessTimer::Tick() {
    due_ = TheSession().now + Interval();
    TickedByPlatform();
}

std::optional<std::string> HeadlessOpenDialog::Execute() {
    Session& session = TheSession();
    session.openDialogRequests.push_back(Settings());
    return TakeAnswer(session.openDialogResults, "open dialog \"" + Settings().title + "\"");
}

std::optional<std::string> HeadlessFolderDialog::Execute() {
    Session& session = TheSession();
    session.folderDialogRequests.push_back(Settings());
    return TakeAnswer(session.folderResults, "folder browser \"" + Settings().title + "\"");
}

}  // namespace kestrune::toolkit::headless
