// Placement types of the window toolkit: sizes and rectangles in pixels (of a 96-DPI screen;
// a back end scales them by the DPI of the screen it shows them on), the edges a control can
// be docked to, and horizontal text alignment.
#pragma once

namespace kestrune::toolkit {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A control's place in its parent's client area (a top-level window's place on the screen).
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Docking: the control sticks to an edge of what its docked siblings have left of the
// parent's client area and follows every change of the parent's size.
enum class Dock { None, Left, Right, Top, Bottom, Fill };

enum class Alignment { Left, Centre, Right };

}  // namespace kestrune::toolkit
