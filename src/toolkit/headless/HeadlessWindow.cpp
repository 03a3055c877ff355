// Headless top-level window: registered with the session while it lives, closed by
// PostClose only once the messages are dispatched.
#include "toolkit/headless/HeadlessWindow.h"

#include "toolkit/headless/HeadlessSession.h"

namespace kestrune::toolkit::headless {

namespace {

constexpr Size kFrame{2 * kFrameBorder, 2 * kFrameBorder + kCaptionHeight};

}  // namespace

HeadlessWindow::HeadlessWindow(const std::string& caption, HeadlessWindow* owner)
    : WindowBase(caption, owner, kFrame) {
    TheSession().windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
    Session& session = TheSession();
    std::erase(session.windows, this);
    std::erase(session.postedCloses, this);
}

void HeadlessWindow::PostClose() {
    TheSession().postedCloses.push_back(this);
}

Size HeadlessWindow::FrameExtent() const {
    return kFrame;
}

}  // namespace kestrune::toolkit::headless
