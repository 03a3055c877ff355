// A horizontal track bar (slider) with a thumb over a range of whole numbers.
// Position setters keep the position inside the range.
#pragma once

#include "toolkit/Control.h"

namespace kestrune::toolkit {

class TrackBar : public Control {
public:
    virtual int Minimum() const = 0;
    virtual int Maximum() const = 0;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
    // How far a click in the channel or Page Up/Page Down moves the thumb.
    virtual int PageSize() const = 0;
    virtual void SetPageSize(int pageSize) = 0;
    // A tick every so many values.
    virtual int TickFrequency() const = 0;
    virtual void SetTickFrequency(int frequency) = 0;
    virtual int ThumbLength() const = 0;
    virtual void SetThumbLength(int pixels) = 0;
    // Whether a tip shows the value while the thumb is dragged.
    virtual bool HasValueTip() const = 0;
    virtual void SetValueTip(bool valueTip) = 0;
};

}  // namespace kestrune::toolkit
