// What the owner-drawn buttons share: the flat look, whose frame shows only while the mouse
// pointer is over the button or it is pressed, and the following of the pointer itself.
#pragma once

#include <windows.h>

namespace kestrune::toolkit::win32 {

// Whether the mouse pointer is over a window, followed through its WM_MOUSEMOVE and
// WM_MOUSELEAVE messages.
class PointerOver {
public:
    // Follows one message of the window; true when the pointer has just come in or gone out.
    bool Follow(HWND window, UINT message);
    bool IsOver() const { return over_; }

private:
    bool over_ = false;
};

// Paints an owner-drawn button's background and frame and answers the area left for its
// content. A flat button shows its frame only while hot (under the pointer); every button
// shows it sunken while pressed, and a focus rectangle while it has the keyboard focus.
RECT DrawButtonFace(const DRAWITEMSTRUCT& item, HBRUSH background, bool flat, bool hot);

}  // namespace kestrune::toolkit::win32
