// Controls are found from their windows through a window property, which only windows of
// this process can carry for us: a window of another process is never taken for ours.
#include "toolkit/win32/Win32Native.h"

namespace kestrune::toolkit::win32 {
namespace {

constexpr const wchar_t* kControlProperty = L"Kestrune.Control";
constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK OwnClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (NativeControl* control = NativeControl::FromHandle(window)) {
        if (const auto result = control->OnMessage(message, wParam, lParam)) {
            return *result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterOwnClass(const wchar_t* name, UINT style, HICON icon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = OwnClassProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace

NativeControl* NativeControl::FromHandle(HWND window) {
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0 ||
        process != GetCurrentProcessId()) {
        return nullptr;
    }
    return static_cast<NativeControl*>(GetPropW(window, kControlProperty));
}

NativeControl::~NativeControl() {
    if (!handle_) {
        return;
    }
    // Unhooked first: what the window says while it is destroyed reaches no half-gone control.
    if (subclassed_) {
        RemoveWindowSubclass(handle_.get(), SubclassProcedure, kSubclassId);
    }
    RemovePropW(handle_.get(), kControlProperty);
}

void NativeControl::Attach(HWND window, bool systemClass) {
    handle_.reset(window);
    SetPropW(window, kControlProperty, this);
    if (systemClass) {
        subclassed_ = SetWindowSubclass(window, SubclassProcedure, kSubclassId,
                                        reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    }
}

LRESULT CALLBACK NativeControl::SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR /*id*/,
                                                  DWORD_PTR control) {
    if (const auto result =
            reinterpret_cast<NativeControl*>(control)->OnMessage(message, wParam, lParam)) {
        return *result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND CreateChildWindow(const NativeClass& native, HWND parent, const Rect& bounds, bool visible) {
    PrepareWindowClasses();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0) | native.style;
    return CreateWindowExW(native.exStyle, native.className, L"", style, bounds.left, bounds.top,
                           bounds.width, bounds.height, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void SetStyleBit(HWND window, DWORD bit, bool on) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    SetWindowLongPtrW(window, GWL_STYLE, on ? style | bit : style & ~bit);
    InvalidateRect(window, nullptr, TRUE);
}

std::optional<LRESULT> ForwardToChild(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (NativeControl* child = NativeControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->OnCommand(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: {
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (NativeControl* child = NativeControl::FromHandle(header.hwndFrom)) {
                return child->OnNotify(header);
            }
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (NativeControl* child = NativeControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->OnScroll(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (NativeControl* child = NativeControl::FromHandle(item.hwndItem)) {
                if (child->OnDrawItem(item)) {
                    return TRUE;
                }
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (NativeControl* child = NativeControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(
                    child->OnControlColour(reinterpret_cast<HDC>(wParam)));
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

void PrepareWindowClasses() {
    static const bool registered = [] {
        // Every class of the common controls this back end uses.
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        RegisterOwnClass(kContainerClass, 0, nullptr);
        // The program's icon is its first icon resource.
        RegisterOwnClass(kTopLevelClass, 0,
                         LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
        return true;
    }();
    static_cast<void>(registered);
}

}  // namespace kestrune::toolkit::win32
