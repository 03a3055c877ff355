// Colours of the window toolkit: an RGB value, a colour of the platform's scheme, or
// transparent (the parent's background shows through).
#pragma once

#include <cstdint>

namespace kestrune::toolkit {

// The scheme colours the program uses; each back end maps them to its closest own colour.
enum class SystemColour {
    ButtonFace,
    Window,
    InactiveCaptionText,
    HighlightText,
    GradientInactiveCaption
};

struct Colour {
    enum class Kind { Rgb, System, Transparent };

    static constexpr Colour FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Kind::Rgb, r, g, b, SystemColour::ButtonFace};
    }
    static constexpr Colour FromSystem(SystemColour system) {
        return {Kind::System, 0, 0, 0, system};
    }
    static constexpr Colour Transparent() {
        return {Kind::Transparent, 0, 0, 0, SystemColour::ButtonFace};
    }

    Kind kind = Kind::System;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    SystemColour system = SystemColour::ButtonFace;  // meaningful for Kind::System only

    friend bool operator==(const Colour&, const Colour&) = default;
};

}  // namespace kestrune::toolkit
