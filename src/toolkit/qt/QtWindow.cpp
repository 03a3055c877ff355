// Qt top-level window: sized within its minimum outer size, closed by PostClose only once
// the event loop runs, and never closed by the user once its close command is gone. The
// platform tells the frame only once the window is shown (under X11 a moment later, when
// the window manager has framed it), so sizes are settled again then.
#include "toolkit/qt/QtWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

#include <algorithm>

namespace kestrune::toolkit::qt {
namespace {

constexpr Size kDefaultClientSize{300, 200};

// Remembers a new owned part and hands out a reference to it.
template <class Part, class... Arguments>
Part& Keep(std::vector<std::unique_ptr<Part>>& parts, Arguments&&... arguments) {
    parts.push_back(std::make_unique<Part>(std::forward<Arguments>(arguments)...));
    return *parts.back();
}

std::unique_ptr<WindowWidget> MakeWindowWidget(QtWindow* owner) {
    return std::make_unique<WindowWidget>(owner != nullptr ? &owner->Widget() : nullptr);
}

}  // namespace

// An owned window is a dialog of its owner, since X11 records the owner of dialogs only: the
// window manager keeps it above the owner and gives it no task-bar entry of its own.
WindowWidget::WindowWidget(QWidget* owner)
    : QWidget(owner, owner != nullptr ? Qt::Dialog : Qt::Window) {}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // Qt never closes the widget itself: the window decides, and only hides it.
    event->ignore();
    if (closeRequested) {
        closeRequested();
    }
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resized) {
        resized();
    }
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (moved) {
        moved();
    }
}

QtWindow::QtWindow(const std::string& caption, QtWindow* owner)
    : QtContainer(nullptr, MakeWindowWidget(owner),
                  {kDefaultClientSize.width, kDefaultClientSize.height}),
      owner_(owner) {
    SetCaption(caption);
    View().closeRequested = [this] {
        if (closeCommand_) {
            Close();
        }
    };
    View().resized = [this] {
        OnResized();
        NoteFrame();
    };
    View().moved = [this] { NoteFrame(); };
}

std::string QtWindow::Caption() const {
    return View().windowTitle().toStdString();
}

void QtWindow::SetCaption(const std::string& caption) {
    View().setWindowTitle(QString::fromStdString(caption));
}

Rect QtWindow::Bounds() const {
    const QRect frame = View().frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

QSize QtWindow::FrameExtent() const {
    return View().frameGeometry().size() - View().size();
}

QtWindow::SizeRequest QtWindow::CurrentSize() const {
    return {{View().width(), false}, {View().height(), false}};
}

void QtWindow::SetBounds(const Rect& bounds) {
    const Rect current = Bounds();
    if (bounds.left != current.left || bounds.top != current.top) {
        View().move(bounds.left, bounds.top);
        centredBeforeFrame_ = false;
    }
    // A side left as it is keeps the terms it was asked in.
    SizeRequest request = beforeFrame_.value_or(CurrentSize());
    if (bounds.width != current.width) {
        request.width = {bounds.width, true};
    }
    if (bounds.height != current.height) {
        request.height = {bounds.height, true};
    }
    Resize(request);
}

void QtWindow::SetClientSize(const Size& size) {
    Resize({{size.width, false}, {size.height, false}});
}

void QtWindow::Resize(const SizeRequest& request) {
    if (!frameKnown_) {
        beforeFrame_ = request;
    }
    const QSize frame = FrameExtent();
    const auto client = [this](const Extent& extent, int frameExtent, int minimum) {
        const int size = extent.outer ? extent.size - frameExtent : extent.size;
        return std::max(0,
                        extent.outer || frameKnown_ ? std::max(size, minimum - frameExtent) : size);
    };
    const QSize size(client(request.width, frame.width(), minimum_.width),
                     client(request.height, frame.height(), minimum_.height));
    const QSize oldSize = View().size();
    if (resizable_) {
        View().resize(size);
    } else {
        View().setFixedSize(size);
    }
    // A hidden widget gets its resize event only when shown; the children are placed now.
    if (View().isHidden() && View().size() != oldSize) {
        OnResized();
    }
}

void QtWindow::SetMinimumSize(const Size& size) {
    minimum_ = size;
    ApplyMinimum();
    Resize(beforeFrame_.value_or(CurrentSize()));
}

void QtWindow::ApplyMinimum() {
    if (resizable_) {
        const QSize smallest =
            frameKnown_ ? QSize(minimum_.width, minimum_.height) - FrameExtent() : QSize(0, 0);
        View().setMinimumSize(smallest.expandedTo({0, 0}));
        View().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        View().setFixedSize(View().size());
    }
}

void QtWindow::NoteFrame() {
    if (frameKnown_ || View().isHidden() || FrameExtent() == QSize(0, 0)) {
        return;
    }
    frameKnown_ = true;
    ApplyMinimum();
    Resize(beforeFrame_.value_or(CurrentSize()));
    beforeFrame_.reset();
    if (centredBeforeFrame_) {
        CentreOnScreen();
    }
}

bool QtWindow::IsTopmost() const {
    return View().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void QtWindow::SetTopmost(bool topmost) {
    if (topmost != IsTopmost()) {
        ChangeFlags(topmost ? Qt::WindowStaysOnTopHint : Qt::WindowFlags(),
                    topmost ? Qt::WindowFlags() : Qt::WindowStaysOnTopHint);
    }
}

void QtWindow::RemoveCloseCommand() {
    closeCommand_ = false;
    ChangeFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint,
                Qt::WindowCloseButtonHint);
}

void QtWindow::ChangeFlags(Qt::WindowFlags on, Qt::WindowFlags off) {
    const bool shown = !View().isHidden();
    const QRect geometry = View().geometry();
    View().setWindowFlags((View().windowFlags() | on) & ~off);
    if (shown) {
        // Back on the screen where it was, without taking the focus from another window.
        View().setGeometry(geometry);
        View().setAttribute(Qt::WA_ShowWithoutActivating, true);
        View().show();
        View().setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void QtWindow::SetResizable(bool resizable) {
    resizable_ = resizable;
    ApplyMinimum();
}

void QtWindow::CentreOnScreen() {
    const QScreen* screen = View().screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize outer = View().frameGeometry().size();
    View().move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
    centredBeforeFrame_ = !frameKnown_;
}

void QtWindow::Show() {
    if (IsClosed()) {
        return;
    }
    View().show();
    View().raise();
    View().activateWindow();
    NoteFrame();
}

void QtWindow::PostClose() {
    QMetaObject::invokeMethod(
        &View(), [this] { Close(); }, Qt::QueuedConnection);
}

void QtWindow::Close() {
    if (IsClosed()) {
        return;
    }
    if (onClose) {
        onClose();
    }
    View().closed = true;
    View().hide();
    for (const auto& timer : timers_) {
        timer->SetEnabled(false);
    }
    if (afterClose) {
        afterClose();
    }
}

void QtWindow::OnResized() {
    ArrangeChildren();
    if (onResize) {
        onResize();
    }
}

Timer& QtWindow::AddTimer(int interval) {
    return Keep(timers_, interval);
}

ImageList& QtWindow::AddImageList(const std::string& resourceName, const Size& imageSize,
                                  const Colour& transparent) {
    return Keep(imageLists_, resourceName, imageSize, transparent);
}

Hints& QtWindow::AddHints() {
    return Keep(hints_, View());
}

OpenDialog& QtWindow::AddOpenDialog() {
    return Keep(openDialogs_, View());
}

FolderDialog& QtWindow::AddFolderDialog() {
    return Keep(folderDialogs_, View());
}

}  // namespace kestrune::toolkit::qt
