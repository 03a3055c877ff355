// The font of a control's text, text colour included. A control takes a copy of its
// parent's font when it is created; changing it later touches that control only.
#pragma once

#include "toolkit/Colour.h"

#include <string>

namespace kestrune::toolkit {

enum class Pitch { Default, Fixed, Variable };

struct Font {
    // Where the face is missing, the back end takes a similar face of the same pitch.
    std::string face = "MS Sans Serif";
    int height = 11;  // character height in pixels
    Colour colour = Colour::FromRgb(0, 0, 0);
    bool bold = false;
    Pitch pitch = Pitch::Default;
    int charset =
        1;  // a Windows character set number (1: default, 204: Cyrillic); a hint elsewhere

    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace kestrune::toolkit
