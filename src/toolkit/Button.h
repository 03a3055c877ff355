// A push button with a text. A flat button shows its frame only under the mouse pointer.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class Button : public Control {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool IsFlat() const = 0;
    virtual void SetFlat(bool flat) = 0;

    // The user pressed the button.
    std::function<void()> onClick;
};

}  // namespace kestrune::toolkit
