// A single-line edit field. Positions and lengths count characters, not bytes.
// onChange reports every change of the text, whether the user typed or pasted it or the
// program set it; setting the text it already holds is no change.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class Edit : public Control {
public:
    virtual std::string Text() const = 0;
    // Replaces the text, puts the caret at its end and reports the change.
    virtual void SetText(const std::string& text) = 0;

    // The caret's place: the number of characters before it.
    virtual int CaretPosition() const = 0;
    virtual void SetCaretPosition(int position) = 0;

    // A number-only field takes digits alone from the user, typed or pasted; the program
    // may still set any text.
    virtual bool IsNumbersOnly() const = 0;
    virtual void SetNumbersOnly(bool numbersOnly) = 0;
    virtual bool HasBorder() const = 0;
    virtual void SetBorder(bool border) = 0;

    std::function<void()> onChange;
};

}  // namespace kestrune::toolkit
