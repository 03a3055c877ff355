// Colours and fonts of the Win32 back end: the toolkit's colours as COLORREF values and
// brushes, its fonts as GDI fonts, and the size a line of text takes in a font.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Font.h"
#include "toolkit/Layout.h"
#include "toolkit/win32/Win32Handles.h"

#include <string_view>

namespace kestrune::toolkit::win32 {

// The colour's value now; a transparent colour reads as the button face.
COLORREF ToColorRef(const Colour& colour);

// A solid brush of the colour; null for a transparent colour.
BrushHandle MakeBrush(const Colour& colour);

// The font with its face, pixel height (scaled to the DPI), weight, pitch and character set.
// The text colour is not part of a GDI font: controls set it when they draw.
FontHandle MakeFont(const Font& font, int dpi);

// Width and line height of one line of text in the font, in pixels of the screen.
Size TextExtent(HWND window, HFONT font, std::string_view text);

}  // namespace kestrune::toolkit::win32
