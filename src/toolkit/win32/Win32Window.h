// The Win32 top-level window. Its outer bounds live in the base and are applied with
// SetWindowPos; what the user does to the frame (moving, sizing) comes back to the base. A
// close from the title bar or the system menu (WM_CLOSE) is the user's request, refused
// without the close command; PostClose posts a message of its own, which closes the window
// once the messages are dispatched. The window has a DPI, that of its monitor, by which it
// and everything in it is scaled; moved to a monitor of another DPI, it keeps its client
// area's size in the toolkit's pixels.
#pragma once

#include "toolkit/base/WindowBase.h"
#include "toolkit/win32/Win32Containers.h"
#include "toolkit/win32/Win32Dpi.h"

#include <string>

namespace kestrune::toolkit::win32 {

class Win32Window final : public NativeControl, public base::WindowBase<Win32Kinds> {
public:
    Win32Window(const std::string& caption, Win32Window* owner);

    void PostClose() override;

    Control& Subject() override { return *this; }
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnControlColour(HDC dc) override;
    HBRUSH BackgroundBrush() const override { return brush_.get(); }
    int Dpi() const override { return dpi_; }

    // Outer bounds of the toolkit as the window's frame on the screen, at the window's DPI:
    // the client area scaled, with the frame Windows draws at that DPI around it.
    Rect DeviceBounds(const Rect& bounds) const;

private:
    Size FrameExtent() const override;
    void ShowBounds() override;
    void ShowEnabled() override;
    void ShowVisible() override;
    void ShowBackground() override;
    void ShowFocus() override;
    void ShowCaption() override;
    void ShowTopmost() override;
    void ShowCloseCommand() override;
    void ShowResizable() override;
    void ShowWindow() override;
    void ShowClosed() override;

    // What the frame adds to the client area on the screen, at the window's DPI.
    Size DeviceFrame() const;
    // The frame was moved or sized by someone else than the base: the user, or Windows.
    void TakeNativeBounds();
    // The window is now shown at another DPI; Windows suggests where it goes.
    void ChangeDpi(int dpi, const RECT& suggested);
    // Sets the window's place in the stack of top-level windows, nothing else.
    void SetStackPlace(HWND insertAfter);

    int dpi_ = SystemDpi();  // that of the monitor the window is on, once it exists
    BrushHandle brush_;
    bool applying_ = false;     // the base's bounds are being applied
    HWND lastFocus_ = nullptr;  // the child that had the focus when the window went inactive
};

}  // namespace kestrune::toolkit::win32
