// The parts a Win32 window owns: thread timers, image lists loaded from the program's
// bitmap resources, the tooltip control of the hints, and the system's open-file dialog and
// folder browser, both owned by the window.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/ImageList.h"
#include "toolkit/Layout.h"
#include "toolkit/base/Parts.h"
#include "toolkit/win32/Win32Handles.h"

#include <map>
#include <optional>
#include <string>

namespace kestrune::toolkit::win32 {

// A timer of the GUI thread: its ticks come as WM_TIMER messages, only while messages are
// dispatched (by the program's loops and by modal loops such as a message box's).
class Win32Timer final : public base::TimerBase {
public:
    explicit Win32Timer(int interval);
    ~Win32Timer() override;
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

private:
    static void CALLBACK Ticked(HWND window, UINT message, UINT_PTR id, DWORD time);

    void ShowStarted() override;
    void ShowStopped() override;

    UINT_PTR id_ = 0;
};

// The images are cut from the strip scaled to each DPI they are shown at, once per DPI. A
// missing resource gives an empty list of the given image size.
class Win32ImageList final : public ImageList {
public:
    Win32ImageList(const std::string& resourceName, const Size& imageSize,
                   const Colour& transparent);
    int ImageWidth() const override { return imageSize_.width; }
    int ImageHeight() const override { return imageSize_.height; }
    // The images at the DPI; the list lives as long as this object.
    HIMAGELIST Handle(int dpi) const;

private:
    std::string resourceName_;
    Size imageSize_;
    Colour transparent_;
    mutable std::map<int, ImageListHandle> scaled_;  // by DPI
};

// One tooltip window with one tool per control, following the control's window.
class Win32Hints final : public base::HintsBase {
public:
    explicit Win32Hints(const Window& owner);
    HWND Handle() const { return tips_.get(); }

private:
    void ShowSettings() override;
    void ShowTip(const Control& control, const std::string& text) override;

    WindowHandle tips_;
};

class Win32OpenDialog final : public base::OpenDialogBase {
public:
    using OpenDialogBase::OpenDialogBase;
    std::optional<std::string> Execute() override;
};

class Win32FolderDialog final : public base::FolderDialogBase {
public:
    using FolderDialogBase::FolderDialogBase;
    std::optional<std::string> Execute() override;
};

}  // namespace kestrune::toolkit::win32
