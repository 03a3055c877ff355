// A check box with a caption. A user click toggles it and then reports the click;
// SetChecked reports nothing.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class CheckBox : public Control {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual bool IsAutoSize() const = 0;
    virtual void SetAutoSize(bool autoSize) = 0;

    // The user clicked the box; it is already toggled.
    std::function<void()> onClick;
};

}  // namespace kestrune::toolkit
