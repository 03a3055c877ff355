// The Control base over a native child window: Win32Control<base::LabelBase> is a label whose
// state the portable base keeps and whose window shows it. The window is made with the
// control at its bounds and takes its font, both scaled by the DPI of the control's window;
// the colours are given when Windows asks for them.
#pragma once

#include "toolkit/base/Node.h"
#include "toolkit/win32/Win32Dpi.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Native.h"

#include <utility>

namespace kestrune::toolkit::win32 {

// The native side of the node a control is made in.
inline NativeControl& NativeOf(base::Node& node) {
    return dynamic_cast<NativeControl&>(node);
}

// Shows every child of the node again at the DPI of its window.
inline void ShowDpiOfChildren(const base::Node& node) {
    for (const auto& child : node.Children()) {
        NativeOf(*child).ShowDpi();
    }
}

template <class Base>
class Win32Control : public NativeControl, public Base {
public:
    template <class... Arguments>
    Win32Control(const NativeClass& native, base::Node& parent, Arguments&&... arguments)
        : Base(parent, std::forward<Arguments>(arguments)...) {
        Attach(CreateChildWindow(native, NativeOf(parent).Handle(),
                                 ToDevice(this->bounds_, NativeOf(parent).Dpi()), this->visible_),
               native.systemClass);
        Win32Control::ShowFont();
        Win32Control::ShowBackground();
    }

    Control& Subject() override { return *this; }

    HBRUSH OnControlColour(HDC dc) override {
        SetTextColor(dc, ToColorRef(this->font_.colour));
        if (!brush_) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkColor(dc, ToColorRef(this->background_));
        }
        return BackgroundBrush();
    }

    HBRUSH BackgroundBrush() const override {
        if (brush_ || this->ParentNode() == nullptr) {
            return brush_.get();
        }
        return NativeOf(*this->ParentNode()).BackgroundBrush();
    }

    int Dpi() const override { return NativeOf(*this->ParentNode()).Dpi(); }

    void ShowDpi() override {
        ShowFont();
        ShowBounds();
        ShowDpiOfChildren(*this);
    }

protected:
    HFONT NativeFont() const { return nativeFont_.get(); }

    void ShowBounds() override {
        const Rect b = ToDevice(this->bounds_, Dpi());
        SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void ShowEnabled() override { ::EnableWindow(Handle(), this->enabled_); }
    void ShowVisible() override { ::ShowWindow(Handle(), this->visible_ ? SW_SHOWNA : SW_HIDE); }
    void ShowFont() override {
        nativeFont_ = MakeFont(this->font_, Dpi());
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(nativeFont_.get()), TRUE);
    }
    void ShowBackground() override {
        brush_ = MakeBrush(this->background_);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    void ShowFocus() override { ::SetFocus(Handle()); }
    void ShowRaised() override {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

private:
    FontHandle nativeFont_;
    BrushHandle brush_;
};

}  // namespace kestrune::toolkit::win32
