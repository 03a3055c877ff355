// The Qt top-level window. Its bounds are the outer frame on the screen; the widget's own
// size is the client area. Sizes asked for before the platform has framed the window are
// applied again, outer sizes as outer sizes, once the frame is known. User closes go
// through onClose and the close command; the widget is only hidden, since the Window
// object lives on until its owner frees it.
#pragma once

#include "toolkit/Window.h"
#include "toolkit/qt/QtContainer.h"
#include "toolkit/qt/QtServices.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit::qt {

// A top-level widget that hands the user's close requests, every size change and every
// move (a frame put around it moves the client area) over.
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

class QtWindow final : public QtContainer<Window, WindowWidget> {
public:
    QtWindow(const std::string& caption, QtWindow* owner);

    Window* Owner() const override { return owner_; }
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    Rect Bounds() const override;
    void SetBounds(const Rect& bounds) override;
    void SetClientSize(const Size& size) override;
    Size MinimumSize() const override { return minimum_; }
    void SetMinimumSize(const Size& size) override;
    bool IsTopmost() const override;
    void SetTopmost(bool topmost) override;
    bool HasCloseCommand() const override { return closeCommand_; }
    void RemoveCloseCommand() override;
    bool IsResizable() const override { return resizable_; }
    void SetResizable(bool resizable) override;
    void CentreOnScreen() override;
    void Show() override;
    void PostClose() override;
    bool IsClosed() const override { return View().closed; }

    Timer& AddTimer(int interval) override;
    ImageList& AddImageList(const std::string& resourceName, const Size& imageSize,
                            const Colour& transparent) override;
    Hints& AddHints() override;
    OpenDialog& AddOpenDialog() override;
    FolderDialog& AddFolderDialog() override;

    // Runs onClose, then closes: hidden, timers stopped. A closed window stays closed.
    void Close();

    // Runs once the window has closed; the message loop ends with it.
    std::function<void()> afterClose;

private:
    // One side of a size the program asked for: of the client area, or outer.
    struct Extent {
        int size = 0;
        bool outer = false;
    };
    struct SizeRequest {
        Extent width;
        Extent height;
    };

    // What the frame adds to the client area; nothing until the platform has framed it.
    QSize FrameExtent() const;
    // The client area as a request of its own size.
    SizeRequest CurrentSize() const;
    // Sizes the client area as asked, never below the minimum outer size; fixed when not
    // resizable. Before the frame is known it counts as nothing, and a client size meets
    // the minimum only once the frame tells how much of the outer size it takes.
    void Resize(const SizeRequest& request);
    void ApplyMinimum();
    // Once the frame is first known, sizes and a centring asked for before are applied again.
    void NoteFrame();
    // Changes window flags; Qt hides a window whose flags change, so it is shown again.
    void ChangeFlags(Qt::WindowFlags on, Qt::WindowFlags off);
    void OnResized();

    QtWindow* owner_;
    Size minimum_;
    bool frameKnown_ = false;
    std::optional<SizeRequest> beforeFrame_;  // the last size asked for before the frame was known
    bool centredBeforeFrame_ = false;
    bool closeCommand_ = true;
    bool resizable_ = true;
    std::vector<std::unique_ptr<QtTimer>> timers_;
    std::vector<std::unique_ptr<QtImageList>> imageLists_;
    std::vector<std::unique_ptr<QtHints>> hints_;
    std::vector<std::unique_ptr<QtOpenDialog>> openDialogs_;
    std::vector<std::unique_ptr<QtFolderDialog>> folderDialogs_;
};

}  // namespace kestrune::toolkit::qt
