// The base of every control of the window toolkit: its place in the parent's client area,
// enabled and visible state, font and background colour, docking and focus.
// Identifiers avoid the names <windows.h> turns into macros (CreateWindow, MessageBox, ...),
// so the Win32 back end can implement the interface without renaming it.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Font.h"
#include "toolkit/Layout.h"

namespace kestrune::toolkit {

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    // The control that owns this one; null for a top-level window.
    virtual Control* Parent() const = 0;

    // Outer bounds: in the parent's client coordinates, on the screen for a top-level window.
    virtual Rect Bounds() const = 0;
    virtual void SetBounds(const Rect& bounds) = 0;

    // The control's own enabled flag. A control of a disabled parent keeps its flag but
    // takes no input: see IsEffectivelyEnabled.
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    bool IsEffectivelyEnabled() const;

    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;

    virtual Font GetFont() const = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual Colour BackgroundColour() const = 0;
    virtual void SetBackgroundColour(const Colour& colour) = 0;

    // A docked control is placed by its parent; of its bounds only the free extent counts
    // (the width for Left and Right, the height for Top and Bottom, nothing for Fill).
    virtual Dock Docking() const = 0;
    virtual void SetDocking(Dock dock) = 0;

    // Gives the control the keyboard focus; a control that takes no input ignores it.
    virtual void SetFocus() = 0;
    // Puts the control above its siblings where they overlap.
    virtual void BringToFront() = 0;

    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const { return Bounds().width; }
    int Height() const { return Bounds().height; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
};

}  // namespace kestrune::toolkit
