// A line of static text. With auto-size on, its size follows its text.
#pragma once

#include "toolkit/Control.h"

#include <string>

namespace kestrune::toolkit {

class Label : public Control {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool IsAutoSize() const = 0;
    virtual void SetAutoSize(bool autoSize) = 0;
    virtual Alignment TextAlignment() const = 0;
    virtual void SetTextAlignment(Alignment alignment) = 0;
};

}  // namespace kestrune::toolkit
