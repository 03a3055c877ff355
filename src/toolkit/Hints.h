// The tooltips of a window: one tip text per control, shown when the mouse pointer rests
// on the control.
#pragma once

#include <string>

namespace kestrune::toolkit {

class Control;

class Hints {
public:
    Hints() = default;
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;
    virtual ~Hints() = default;

    // Balloon-shaped tips instead of rectangles.
    virtual void SetBalloon(bool balloon) = 0;
    // Tips also while the window is not the active one.
    virtual void SetAlwaysTip(bool alwaysTip) = 0;
    // The delay from which the platform derives its show, hide and reshow delays.
    virtual void SetAutomaticDelay(int milliseconds) = 0;

    // Gives the control its tip, replacing an earlier one. The control must belong to the
    // window of these hints.
    virtual void AddTip(const Control& control, const std::string& text) = 0;
    // The control's tip; empty when it has none.
    virtual std::string TipOf(const Control& control) const = 0;
};

}  // namespace kestrune::toolkit
