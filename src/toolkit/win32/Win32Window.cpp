// Every window has the thick frame, so its frame is as wide whether it can be resized or not
// and the client area stays as the program set it. One that cannot be resized has no
// maximise box, offers no sizing border to the pointer and refuses sizes it did not set.
#include "toolkit/win32/Win32Window.h"

#include "platform/win32/WideText.h"

#include <algorithm>
#include <utility>

namespace kestrune::toolkit::win32 {
namespace {

constexpr UINT kPostedClose = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The frame in the toolkit's pixels: the client area's size in them is what stays.
Size ToolkitFrame(const Size& deviceFrame, int dpi) {
    return {FromDevice(deviceFrame.width, dpi), FromDevice(deviceFrame.height, dpi)};
}

// Keeps a flag up while the base's bounds are applied, so Windows' reports of them are not
// taken for the user's.
class Applying {
public:
    explicit Applying(bool& flag) : flag_(flag), was_(std::exchange(flag, true)) {}
    ~Applying() { flag_ = was_; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

Win32Window::Win32Window(const std::string& caption, Win32Window* owner)
    : WindowBase(caption, owner,
                 ToolkitFrame(FrameOf(kWindowStyle, kWindowExStyle, SystemDpi()), SystemDpi())) {
    PrepareWindowClasses();
    Attach(CreateWindowExW(kWindowExStyle, kTopLevelClass, platform::win32::Widen(caption).c_str(),
                           kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                           owner != nullptr ? owner->Handle() : nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr),
           false);
    // The window's DPI is known once it is on a monitor.
    dpi_ = WindowDpi(Handle());
    ShowBounds();
    ShowBackground();
}

Rect Win32Window::DeviceBounds(const Rect& bounds) const {
    const Size frame = FrameExtent();
    const Size deviceFrame = DeviceFrame();
    return {ToDevice(bounds.left, dpi_), ToDevice(bounds.top, dpi_),
            ToDevice(std::max(0, bounds.width - frame.width), dpi_) + deviceFrame.width,
            ToDevice(std::max(0, bounds.height - frame.height), dpi_) + deviceFrame.height};
}

void Win32Window::PostClose() {
    PostMessageW(Handle(), kPostedClose, 0, 0);
}

std::optional<LRESULT> Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto handled = ContainerMessage(*this, message, wParam, lParam)) {
        return handled;
    }
    switch (message) {
        case WM_CLOSE:
            CloseRequestedByUser();
            return 0;
        case kPostedClose:
            Close();
            return 0;
        case WM_GETMINMAXINFO: {
            const Rect smallest = DeviceBounds({0, 0, MinimumSize().width, MinimumSize().height});
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.width,
                                                                     smallest.height};
            return 0;
        }
        case WM_DPICHANGED:
            ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCHITTEST:
            if (!IsResizable()) {
                const LRESULT part = DefWindowProcW(Handle(), message, wParam, lParam);
                return (part >= HTLEFT && part <= HTBOTTOMRIGHT) || part == HTSIZE ? HTBORDER
                                                                                   : part;
            }
            break;
        case WM_WINDOWPOSCHANGING:
            if (!IsResizable() && !applying_) {
                reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOSIZE;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            if (!applying_) {
                TakeNativeBounds();
            }
            break;
        case WM_ACTIVATE:
            // Back to the control that had the focus, as dialogs do.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                lastFocus_ = focus != nullptr && IsChild(Handle(), focus) ? focus : nullptr;
            } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) &&
                       IsChild(Handle(), lastFocus_)) {
                ::SetFocus(lastFocus_);
                return 0;
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

HBRUSH Win32Window::OnControlColour(HDC dc) {
    SetTextColor(dc, ToColorRef(GetFont().colour));
    SetBkColor(dc, ToColorRef(BackgroundColour()));
    return brush_.get();
}

Size Win32Window::DeviceFrame() const {
    return FrameOf(static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                   static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
}

Size Win32Window::FrameExtent() const {
    return ToolkitFrame(DeviceFrame(), dpi_);
}

void Win32Window::ShowBounds() {
    const Applying applying(applying_);
    const Rect device = DeviceBounds(bounds_);
    SetWindowPos(Handle(), nullptr, device.left, device.top, device.width, device.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32Window::ShowEnabled() {
    EnableWindow(Handle(), enabled_);
}

void Win32Window::ShowVisible() {
    ::ShowWindow(Handle(), visible_ ? SW_SHOW : SW_HIDE);
}

void Win32Window::ShowBackground() {
    brush_ = MakeBrush(BackgroundColour());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Win32Window::ShowFocus() {
    ::SetFocus(Handle());
}

void Win32Window::ShowCaption() {
    SetWindowTextW(Handle(), platform::win32::Widen(Caption()).c_str());
}

void Win32Window::ShowTopmost() {
    SetStackPlace(IsTopmost() ? HWND_TOPMOST : HWND_NOTOPMOST);
}

void Win32Window::ShowCloseCommand() {
    // Without the command in the system menu, the caption's close button is greyed too.
    DeleteMenu(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32Window::ShowResizable() {
    SetStyleBit(Handle(), WS_MAXIMIZEBOX, IsResizable());
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32Window::ShowWindow() {
    ::ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void Win32Window::ShowClosed() {
    ::ShowWindow(Handle(), SW_HIDE);
}

void Win32Window::TakeNativeBounds() {
    if (IsIconic(Handle())) {
        return;
    }
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    const Size frame = FrameExtent();
    const Size deviceFrame = DeviceFrame();
    const auto client = [this](LONG from, LONG to, int deviceFrameExtent) {
        return FromDevice(std::max(0, static_cast<int>(to - from) - deviceFrameExtent), dpi_);
    };
    const Rect native{FromDevice(outer.left, dpi_), FromDevice(outer.top, dpi_),
                      client(outer.left, outer.right, deviceFrame.width) + frame.width,
                      client(outer.top, outer.bottom, deviceFrame.height) + frame.height};
    if (!(native == Bounds())) {
        TakePlatformBounds(native);
    }
}

void Win32Window::ChangeDpi(int dpi, const RECT& suggested) {
    const Size client = ClientArea();
    dpi_ = dpi;
    ShowDpiOfChildren(*this);
    // The client area keeps its size in the toolkit's pixels inside the frame at the new DPI;
    // moved by someone else than the base, the window goes where Windows suggests.
    Rect bounds = Bounds();
    if (!applying_) {
        bounds.left = FromDevice(suggested.left, dpi);
        bounds.top = FromDevice(suggested.top, dpi);
    }
    const Size frame = FrameExtent();
    bounds.width = client.width + frame.width;
    bounds.height = client.height + frame.height;
    SetBounds(bounds);
}

void Win32Window::SetStackPlace(HWND insertAfter) {
    const Applying applying(applying_);
    SetWindowPos(Handle(), insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace kestrune::toolkit::win32
