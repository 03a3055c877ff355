// Headless timers, hints and dialogs. A dialog shown with no answer queued fails loudly,
// after its request has been recorded.
#include "toolkit/headless/HeadlessServices.h"

#include "toolkit/headless/HeadlessSession.h"

#include <algorithm>

namespace kestrune::toolkit::headless {
namespace {

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

HeadlessTimer::HeadlessTimer(int interval) : interval_(std::max(1, interval)) {
    TheSession().timers.push_back(this);
}

HeadlessTimer::~HeadlessTimer() {
    std::erase(TheSession().timers, this);
}

void HeadlessTimer::SetInterval(int milliseconds) {
    interval_ = std::max(1, milliseconds);
    due_ = TheSession().now + interval_;
}

void HeadlessTimer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) {
        due_ = TheSession().now + interval_;
    }
    enabled_ = enabled;
}

void HeadlessTimer::Tick() {
    due_ = TheSession().now + interval_;
    if (onTick) {
        onTick();
    }
}

void HeadlessHints::AddTip(const Control& control, const std::string& text) {
    tips_[&control] = text;
}

std::string HeadlessHints::TipOf(const Control& control) const {
    const auto tip = tips_.find(&control);
    return tip != tips_.end() ? tip->second : std::string();
}

void HeadlessOpenDialog::SetFilters(const std::vector<FileFilter>& filters) {
    settings_.filters = filters;
}

void HeadlessOpenDialog::SetInitialFolder(const std::string& folder) {
    settings_.initialFolder = folder;
}

void HeadlessOpenDialog::SetMultipleSelection(bool multiple) {
    settings_.multipleSelection = multiple;
}

std::optional<std::string> HeadlessOpenDialog::Execute() {
    Session& session = TheSession();
    session.openDialogRequests.push_back(settings_);
    return TakeAnswer(session.openDialogResults, "open dialog \"" + settings_.title + "\"");
}

void HeadlessFolderDialog::SetInitialFolder(const std::string& folder) {
    settings_.initialFolder = folder;
}

std::optional<std::string> HeadlessFolderDialog::Execute() {
    Session& session = TheSession();
    session.folderDialogRequests.push_back(settings_);
    return TakeAnswer(session.folderResults, "folder browser \"" + settings_.title + "\"");
}

}  // namespace kestrune::toolkit::headless
