// The Qt top-level window. Its node holds the outer bounds; the widget's own size is the
// client area, the outer size less the frame. The platform tells the frame only once the
// window is shown (under X11 a moment later, when the window manager has framed it): the
// skeleton settles the sizes asked for before then. User closes go through the close
// command; the widget is only hidden, since the Window object lives on until its owner
// frees it.
#pragma once

#include "toolkit/base/WindowBase.h"
#include "toolkit/qt/QtKinds.h"

#include <QWidget>

#include <functional>
#include <string>

namespace kestrune::toolkit::qt {

// A top-level widget that hands the user's close requests, every size change and every
// move (a frame put around it moves the client area) over. An owned window is a dialog of
// its owner, since X11 records the owner of dialogs only: the window manager keeps it above
// the owner and gives it no task-bar entry of its own.
class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(QWidget* owner);

    std::function<void()> closeRequested;
    std::function<void()> resized;
    std::function<void()> moved;
    bool closed = false;  // set for good once the window has closed

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
};

class QtWindow final : public QtControl<base::WindowBase<QtKinds>, WindowWidget> {
public:
    QtWindow(const std::string& caption, QtWindow* owner);

    void PostClose() override;

    // Runs once the window has closed; the message loop ends with it.
    std::function<void()> afterClose;

private:
    Size FrameExtent() const override;
    void ShowBounds() override;
    void ShowVisible() override {}
    void ShowCaption() override;
    void ShowMinimum() override;
    void ShowTopmost() override;
    void ShowCloseCommand() override;
    void ShowResizable() override { ShowMinimum(); }
    void ShowWindow() override;
    void ShowClosed() override;

    // The frame, once the platform has put it around the shown window.
    void NoteFrame();
    // What the platform did to the window's place or size on its own (or for the user).
    void TakePlatformGeometry();
    // Changes window flags; Qt hides a window whose flags change, so it is shown again.
    void ChangeFlags(Qt::WindowFlags on, Qt::WindowFlags off);
};

}  // namespace kestrune::toolkit::qt
