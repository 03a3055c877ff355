// The Win32 top-level window. Its outer bounds live in the base and are applied with
// SetWindowPos; what the user does to the frame (moving, sizing) comes back to the base. A
// close from the title bar or the system menu (WM_CLOSE) is the user's request, refused
// without the close command; PostClose posts a message of its own, which closes the window
// once the messages are dispatched.
#pragma once

#include "toolkit/base/WindowBase.h"
#include "toolkit/win32/Win32Containers.h"

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

    // The frame was moved or sized by someone else than the base: the user, or Windows.
    void TakeNativeBounds();
    // Sets the window's place in the stack of top-level windows, nothing else.
    void SetStackPlace(HWND insertAfter);

    BrushHandle brush_;
    bool applying_ = false;     // the base's bounds are being applied
    HWND lastFocus_ = nullptr;  // the child that had the focus when the window went inactive
};

}  // namespace kestrune::toolkit::win32
