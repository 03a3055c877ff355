// A control's native window: made when the control is made, destroyed with it, found again
// from its handle, and told what Windows reports about it. Windows sends a parent the
// commands, notifications, scrolling, colour questions and drawing requests of its children;
// every container of ours hands them to the child's control (ForwardToChild).
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Layout.h"
#include "toolkit/win32/Win32Handles.h"

#include <optional>

namespace kestrune::toolkit::win32 {

// How a control's window is made: its window class, styles and whether it is one of the
// system's classes, whose messages reach the control through a subclass.
struct NativeClass {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool systemClass = true;
};

// The window class of our own windows: top-level windows, panels and group boxes. Their
// messages go to OnMessage, the rest to DefWindowProc.
inline constexpr const wchar_t* kContainerClass = L"Kestrune.Container";
inline constexpr const wchar_t* kTopLevelClass = L"Kestrune.Window";

class NativeControl {
public:
    NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND Handle() const { return handle_.get(); }
    // The control a window of this process stands for; null for any other window.
    static NativeControl* FromHandle(HWND window);

    // The toolkit control shown by this window.
    virtual Control& Subject() = 0;
    const Control& Subject() const { return const_cast<NativeControl*>(this)->Subject(); }

    // A message to the control's own window, before its window class handles it; nothing
    // leaves it to the class.
    virtual std::optional<LRESULT> OnMessage(UINT /*message*/, WPARAM /*wParam*/,
                                             LPARAM /*lParam*/) {
        return std::nullopt;
    }
    // WM_COMMAND about this control, with its notification code.
    virtual void OnCommand(WORD /*code*/) {}
    // WM_NOTIFY about this control; nothing leaves the answer to the parent's class.
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }
    // WM_HSCROLL or WM_VSCROLL from this control.
    virtual void OnScroll(WORD /*request*/) {}
    // WM_DRAWITEM for an owner-drawn control; false when it draws itself.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // WM_CTLCOLOR...: the text colour and background set into the device context, and the
    // brush of the background.
    virtual HBRUSH OnControlColour(HDC dc) = 0;

    // The brush this control's background is painted with: its own, or for a transparent
    // control that of the nearest container below it that has one.
    virtual HBRUSH BackgroundBrush() const = 0;

    // The DPI the control is shown at, that of its top-level window (Win32Dpi.h).
    virtual int Dpi() const = 0;
    // The DPI of the control's window has changed: what depends on it is shown again.
    virtual void ShowDpi() {}

protected:
    ~NativeControl();
    // Takes the window made for the control: found from its handle from now on, its
    // messages reaching OnMessage.
    void Attach(HWND window, bool systemClass);

private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR control);

    WindowHandle handle_;
    bool subclassed_ = false;
};

// Makes a child window at the bounds (in pixels of the screen), hidden or visible, below its
// earlier siblings (as Windows stacks new children, which is also their order for the Tab key).
HWND CreateChildWindow(const NativeClass& native, HWND parent, const Rect& bounds, bool visible);

// Turns one style bit of a window on or off and lets the window redraw itself.
void SetStyleBit(HWND window, DWORD bit, bool on);

// Hands a message that Windows sent a parent about one of its children to that child's
// control; nothing when the message is not of that kind or the child is not ours.
std::optional<LRESULT> ForwardToChild(UINT message, WPARAM wParam, LPARAM lParam);

// Loads the common controls and registers our window classes, once; every function that
// makes a window calls it first.
void PrepareWindowClasses();

}  // namespace kestrune::toolkit::win32
