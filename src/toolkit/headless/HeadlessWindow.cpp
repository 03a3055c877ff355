// Headless top-level window: registered with the session while it lives, sized within
// its minimum, closed by PostClose only once the messages are dispatched.
#include "toolkit/headless/HeadlessWindow.h"

#include "toolkit/headless/HeadlessSession.h"

#include <algorithm>

namespace kestrune::toolkit::headless {
namespace {

constexpr Size kDefaultClientSize{300, 200};

Size OuterFromClient(const Size& client) {
    return {client.width + 2 * kFrameBorder, client.height + 2 * kFrameBorder + kCaptionHeight};
}

// Remembers a new owned part and hands out a reference to it.
template <class Part, class... Arguments>
Part& Keep(std::vector<std::unique_ptr<Part>>& parts, Arguments&&... arguments) {
    parts.push_back(std::make_unique<Part>(std::forward<Arguments>(arguments)...));
    return *parts.back();
}

}  // namespace

HeadlessWindow::HeadlessWindow(const std::string& caption, HeadlessWindow* owner)
    : HeadlessContainer(nullptr, OuterFromClient(kDefaultClientSize)),
      owner_(owner),
      caption_(caption) {
    visible_ = false;
    TheSession().windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
    Session& session = TheSession();
    std::erase(session.windows, this);
    std::erase(session.postedCloses, this);
}

void HeadlessWindow::SetBounds(const Rect& bounds) {
    ApplyBounds({bounds.left, bounds.top, std::max(bounds.width, minimum_.width),
                 std::max(bounds.height, minimum_.height)});
}

Size HeadlessWindow::ClientArea() const {
    return {std::max(0, bounds_.width - 2 * kFrameBorder),
            std::max(0, bounds_.height - 2 * kFrameBorder - kCaptionHeight)};
}

void HeadlessWindow::SetClientSize(const Size& size) {
    const Size outer = OuterFromClient(size);
    SetBounds({bounds_.left, bounds_.top, outer.width, outer.height});
}

void HeadlessWindow::SetMinimumSize(const Size& size) {
    minimum_ = size;
    SetBounds(bounds_);
}

void HeadlessWindow::CentreOnScreen() {
    SetBounds({(kScreenSize.width - bounds_.width) / 2, (kScreenSize.height - bounds_.height) / 2,
               bounds_.width, bounds_.height});
}

void HeadlessWindow::Show() {
    if (closed_) {
        return;
    }
    visible_ = true;
    TakeFocus();
    if (!shown_) {
        shown_ = true;
        OnSizeChanged();
    }
}

void HeadlessWindow::PostClose() {
    TheSession().postedCloses.push_back(this);
}

Timer& HeadlessWindow::AddTimer(int interval) {
    return Keep(timers_, interval);
}

ImageList& HeadlessWindow::AddImageList(const std::string&, const Size& imageSize, const Colour&) {
    return Keep(imageLists_, imageSize);
}

Hints& HeadlessWindow::AddHints() {
    return Keep(hints_);
}

OpenDialog& HeadlessWindow::AddOpenDialog() {
    return Keep(openDialogs_, *this);
}

FolderDialog& HeadlessWindow::AddFolderDialog() {
    return Keep(folderDialogs_, *this);
}

void HeadlessWindow::Close() {
    if (closed_) {
        return;
    }
    if (onClose) {
        onClose();
    }
    closed_ = true;
    visible_ = false;
    for (const auto& timer : timers_) {
        timer->SetEnabled(false);
    }
}

void HeadlessWindow::OnSizeChanged() {
    if (onResize) {
        onResize();
    }
}

}  // namespace kestrune::toolkit::headless
