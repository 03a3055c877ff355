// Qt top-level window: closed by PostClose only once the event loop runs, and never closed
// by the user once its close command is gone.
#include "toolkit/qt/QtWindow.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QtMath>

#include <optional>

namespace kestrune::toolkit::qt {

namespace {

std::unique_ptr<WindowWidget> MakeWindowWidget(QtWindow* owner) {
    return std::make_unique<WindowWidget>(owner != nullptr ? &owner->Widget() : nullptr);
}

// Under a scale factor that is not whole, Qt asks the window manager for sizes in steps of
// one scaled pixel (two screen pixels at 150 %) from a base size. The base, the smallest
// that makes the length asked for one of those steps, keeps the window manager from
// rounding the client area away from it; none is needed under a whole factor.
std::optional<int> StepBase(int length, qreal factor) {
    const int step = qRound(factor);  // how Qt scales the step of one pixel
    if (step <= 1 || qFuzzyCompare(factor, qreal(step))) {
        return std::nullopt;
    }
    const int wanted = qRound(length * factor);
    for (int base = 0; base <= 2 * step; ++base) {
        if ((wanted - qRound(base * factor)) % step == 0) {
            return base;
        }
    }
    return std::nullopt;
}

}  // namespace

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
    : QtControl(MakeWindowWidget(owner), caption, owner, std::nullopt) {
    ShowCaption();
    View().closeRequested = [this] { CloseRequestedByUser(); };
    View().resized = [this] {
        NoteFrame();
        TakePlatformGeometry();
    };
    View().moved = [this] {
        NoteFrame();
        TakePlatformGeometry();
    };
}

Size QtWindow::FrameExtent() const {
    const QSize extent = View().frameGeometry().size() - View().size();
    return {extent.width(), extent.height()};
}

void QtWindow::ShowBounds() {
    const Rect& outer = bounds_;
    const Size frame = FrameExtent();
    const QSize client(std::max(0, outer.width - frame.width),
                       std::max(0, outer.height - frame.height));
    const qreal factor = View().devicePixelRatioF();
    const std::optional<int> baseWidth = StepBase(client.width(), factor);
    const std::optional<int> baseHeight = StepBase(client.height(), factor);
    if (baseWidth && baseHeight) {
        View().setBaseSize(*baseWidth, *baseHeight);
    }
    View().move(outer.left, outer.top);
    if (IsResizable()) {
        View().resize(client);
    } else {
        View().setFixedSize(client);
    }
}

void QtWindow::TakePlatformGeometry() {
    if (View().isHidden()) {
        return;
    }
    const QRect frame = View().frameGeometry();
    const Rect shown{frame.x(), frame.y(), frame.width(), frame.height()};
    if (!(shown == bounds_)) {
        TakePlatformBounds(shown);
    }
}

void QtWindow::NoteFrame() {
    if (!FrameKnown() && !View().isHidden() && !(FrameExtent() == Size{})) {
        FrameNowKnown();
    }
}

void QtWindow::ShowCaption() {
    View().setWindowTitle(QString::fromStdString(Caption()));
}

void QtWindow::ShowMinimum() {
    if (IsResizable()) {
        const Size frame = FrameExtent();
        const Size smallest = MinimumSize();
        View().setMinimumSize(FrameKnown() ? std::max(0, smallest.width - frame.width) : 0,
                              FrameKnown() ? std::max(0, smallest.height - frame.height) : 0);
        View().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        View().setFixedSize(View().size());
    }
}

void QtWindow::ShowTopmost() {
    if (IsTopmost() != View().windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        ChangeFlags(IsTopmost() ? Qt::WindowStaysOnTopHint : Qt::WindowFlags(),
                    IsTopmost() ? Qt::WindowFlags() : Qt::WindowStaysOnTopHint);
    }
}

void QtWindow::ShowCloseCommand() {
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

void QtWindow::ShowWindow() {
    View().show();
    View().raise();
    View().activateWindow();
    NoteFrame();
}

void QtWindow::ShowClosed() {
    View().closed = true;
    View().hide();
    if (afterClose) {
        afterClose();
    }
}

void QtWindow::PostClose() {
    QMetaObject::invokeMethod(
        &View(), [this] { Close(); }, Qt::QueuedConnection);
}

}  // namespace kestrune::toolkit::qt
