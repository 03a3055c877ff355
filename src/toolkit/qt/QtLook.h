// How the toolkit's colours and fonts look on Qt: the classic Windows scheme for the
// system colours, and a similar installed face where the asked-for one is missing.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Font.h"

#include <QColor>
#include <QFont>

class QWidget;

namespace kestrune::toolkit::qt {

// The RGB value of a colour; a transparent colour answers the button face.
QColor ToQColor(const Colour& colour);

QFont ToQFont(const Font& font);

// Gives the widget the font, and the font's colour to its texts while it is enabled
// (disabled text keeps the style's grey).
void ApplyFont(QWidget& widget, const Font& font);

// Gives the widget the colour as its background, painted over what lies below only with
// fill set; a transparent colour lets the parent show through.
void ApplyBackground(QWidget& widget, const Colour& colour, bool fill);

}  // namespace kestrune::toolkit::qt
