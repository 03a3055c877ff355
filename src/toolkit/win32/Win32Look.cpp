// Scheme colours are read when a brush is made, so a control shows the scheme of its time.
// A face the system lacks is replaced by GDI's font mapper, which keeps the pitch asked for.
#include "toolkit/win32/Win32Look.h"

#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Dpi.h"

#include <algorithm>
#include <string>

namespace kestrune::toolkit::win32 {
namespace {

// Windows 10 and later keep the inactive caption text colour dark, and the panels are painted
// with it: every system gets the classic scheme's light value.
constexpr COLORREF kClassicInactiveCaptionText = RGB(212, 208, 200);

COLORREF SchemeColour(SystemColour system) {
    switch (system) {
        case SystemColour::ButtonFace:
            break;
        case SystemColour::Window:
            return GetSysColor(COLOR_WINDOW);
        case SystemColour::InactiveCaptionText:
            return kClassicInactiveCaptionText;
        case SystemColour::HighlightText:
            return GetSysColor(COLOR_HIGHLIGHTTEXT);
        case SystemColour::GradientInactiveCaption:
            return GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
    }
    return GetSysColor(COLOR_BTNFACE);
}

BYTE PitchAndFamily(Pitch pitch) {
    switch (pitch) {
        case Pitch::Fixed:
            return FIXED_PITCH | FF_MODERN;
        case Pitch::Variable:
            return VARIABLE_PITCH | FF_SWISS;
        case Pitch::Default:
            break;
    }
    return DEFAULT_PITCH | FF_DONTCARE;
}

}  // namespace

COLORREF ToColorRef(const Colour& colour) {
    switch (colour.kind) {
        case Colour::Kind::Rgb:
            return RGB(colour.red, colour.green, colour.blue);
        case Colour::Kind::System:
            return SchemeColour(colour.system);
        case Colour::Kind::Transparent:
            break;
    }
    return GetSysColor(COLOR_BTNFACE);
}

BrushHandle MakeBrush(const Colour& colour) {
    if (colour.kind == Colour::Kind::Transparent) {
        return nullptr;
    }
    return BrushHandle(CreateSolidBrush(ToColorRef(colour)));
}

FontHandle MakeFont(const Font& font, int dpi) {
    LOGFONTW description{};
    description.lfHeight = -ToDevice(font.height, dpi);  // a character height, not a cell height
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = static_cast<BYTE>(font.charset);
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = PitchAndFamily(font.pitch);
    const std::wstring face = platform::win32::Widen(font.face);
    face.copy(description.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    return FontHandle(CreateFontIndirectW(&description));
}

Size TextExtent(HWND window, HFONT font, std::string_view text) {
    const WindowDc dc(window, font);
    const std::wstring wide = platform::win32::Widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    return {static_cast<int>(extent.cx), static_cast<int>(metrics.tmHeight)};
}

}  // namespace kestrune::toolkit::win32
