// A progress bar. Its range starts as 0 to 100; the position is kept inside the range.
#pragma once

#include "toolkit/Control.h"

namespace kestrune::toolkit {

class ProgressBar : public Control {
public:
    virtual int Minimum() const = 0;
    virtual int Maximum() const = 0;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
    // A smooth bar fills continuously instead of in blocks.
    virtual bool IsSmooth() const = 0;
    virtual void SetSmooth(bool smooth) = 0;
};

}  // namespace kestrune::toolkit
