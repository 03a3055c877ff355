// The DPI functions newer than Windows 7 are looked up when first needed: user32's of
// Windows 10 1607 (per window, and the frame and metrics at a DPI) and shcore's of
// Windows 8.1 (per monitor).
#include "toolkit/win32/Win32Dpi.h"

#include <memory>
#include <type_traits>

namespace kestrune::toolkit::win32 {
namespace {

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI windows are scaled by

struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

template <class Function>
Function* Find(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // Through the generic function pointer type, which any function pointer converts from.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

template <class Function>
Function* FindInUser32(const char* name) {
    return Find<Function>(GetModuleHandleW(L"user32.dll"), name);
}

GetDpiForMonitorFunction* GetDpiForMonitorOfShcore() {
    static const ModuleHandle shcore(LoadLibraryW(L"shcore.dll"));
    static GetDpiForMonitorFunction* const function =
        Find<GetDpiForMonitorFunction>(shcore.get(), "GetDpiForMonitor");
    return function;
}

}  // namespace

int ToDevice(int length, int dpi) {
    return MulDiv(length, dpi, kDesignDpi);
}

int FromDevice(int pixels, int dpi) {
    return MulDiv(pixels, kDesignDpi, dpi);
}

Rect ToDevice(const Rect& bounds, int dpi) {
    return {ToDevice(bounds.left, dpi), ToDevice(bounds.top, dpi), ToDevice(bounds.width, dpi),
            ToDevice(bounds.height, dpi)};
}

Size FittingSize(const Size& measured, int dpi) {
    const auto fitting = [dpi](int pixels) { return (pixels * kDesignDpi + dpi - 1) / dpi; };
    return {fitting(measured.width), fitting(measured.height)};
}

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static GetDpiForWindowFunction* const getDpiForWindow =
        FindInUser32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int MonitorDpi(HMONITOR monitor) {
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (GetDpiForMonitorFunction* const getDpiForMonitor = GetDpiForMonitorOfShcore();
        getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiX > 0) {
        return static_cast<int>(dpiX);
    }
    return SystemDpi();
}

Size FrameOf(DWORD style, DWORD exStyle, int dpi) {
    static AdjustWindowRectExForDpiFunction* const adjustForDpi =
        FindInUser32<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, 0, 0};
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

int SystemMetric(int index, int dpi) {
    static GetSystemMetricsForDpiFunction* const metricForDpi =
        FindInUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return metricForDpi != nullptr ? metricForDpi(index, static_cast<UINT>(dpi))
                                   : GetSystemMetrics(index);
}

}  // namespace kestrune::toolkit::win32
