// A pair of up and down arrows that steps a position through a range, without a buddy
// field. A click on an arrow steps the position (never past the range's ends), and an
// arrow held down steps on by itself; onMouseUp reports the release of the mouse button
// over the control.
#pragma once

#include "toolkit/Control.h"

#include <functional>

namespace kestrune::toolkit {

class UpDown : public Control {
public:
    virtual int Minimum() const = 0;
    virtual int Maximum() const = 0;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
    virtual int Step() const = 0;
    virtual void SetStep(int step) = 0;

    std::function<void()> onMouseUp;
};

}  // namespace kestrune::toolkit
