// Qt top-level window: sized within its minimum outer size, closed by PostClose only once
// the event loop runs, and never closed by the user once its close command is gone.
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

WindowWidget::WindowWidget(QWidget* owner) : QWidget(owner, Qt::Window) {}

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
    View().resized = [this] { OnResized(); };
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

void QtWindow::SetBounds(const Rect& bounds) {
    View().move(bounds.left, bounds.top);
    ResizeClient(QSize(bounds.width, bounds.height) - FrameExtent());
}

void QtWindow::SetClientSize(const Size& size) {
    ResizeClient({size.width, size.height});
}

void QtWindow::ResizeClient(const QSize& client) {
    const QSize smallest = QSize(minimum_.width, minimum_.height) - FrameExtent();
    const QSize size = client.expandedTo(smallest).expandedTo({0, 0});
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
    ResizeClient(View().size());
}

void QtWindow::ApplyMinimum() {
    if (resizable_) {
        const QSize smallest = QSize(minimum_.width, minimum_.height) - FrameExtent();
        View().setMinimumSize(smallest.expandedTo({0, 0}));
        View().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        View().setFixedSize(View().size());
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
}

void QtWindow::Show() {
    if (IsClosed()) {
        return;
    }
    View().show();
    View().raise();
    View().activateWindow();
    // The frame is known now, so the minimum can be turned into a client size.
    ApplyMinimum();
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
