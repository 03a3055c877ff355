// The toolkit's pixels on screens of any DPI: every length the program gives (places, sizes,
// font heights, image sizes) is in pixels of a 96-DPI screen and is shown scaled by the DPI
// of the window it is in. Where Windows has no DPI per window or per monitor (before
// Windows 10 1607 and 8.1), every window and monitor has the system DPI.
#pragma once

#include "toolkit/Layout.h"

#include <windows.h>

namespace kestrune::toolkit::win32 {

inline constexpr int kDesignDpi = 96;  // the DPI at which the toolkit's pixels are the screen's

// A length of the toolkit in pixels at the DPI, and a length in pixels at the DPI in the
// toolkit's, each rounded to the nearest pixel.
int ToDevice(int length, int dpi);
int FromDevice(int pixels, int dpi);
Rect ToDevice(const Rect& bounds, int dpi);
// The size of something measured at the DPI (a text, a check box) in the toolkit's pixels,
// rounded up: shown again at the DPI, it still holds what was measured.
Size FittingSize(const Size& measured, int dpi);

int SystemDpi();
int WindowDpi(HWND window);
int MonitorDpi(HMONITOR monitor);

// What the frame of a top-level window of these styles adds to its client area at the DPI.
Size FrameOf(DWORD style, DWORD exStyle, int dpi);
// A system metric (GetSystemMetrics) at the DPI.
int SystemMetric(int index, int dpi);

}  // namespace kestrune::toolkit::win32
