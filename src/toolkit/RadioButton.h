// A radio button. The radio buttons of one parent form a group in which checking one,
// by a click or by SetChecked(true), unchecks the others. A user click checks the button
// and then reports the click; SetChecked reports nothing.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class RadioButton : public Control {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;

    // The user clicked the button; it is already checked and its siblings unchecked.
    std::function<void()> onClick;
};

}  // namespace kestrune::toolkit
