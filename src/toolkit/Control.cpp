// The parts of a control that follow from the back end's answers alone.
#include "toolkit/Control.h"

namespace kestrune::toolkit {

bool Control::IsEffectivelyEnabled() const {
    for (const Control* control = this; control != nullptr; control = control->Parent()) {
        if (!control->IsEnabled()) {
            return false;
        }
    }
    return true;
}

void Control::SetLeft(int left) {
    Rect bounds = Bounds();
    bounds.left = left;
    SetBounds(bounds);
}

void Control::SetTop(int top) {
    Rect bounds = Bounds();
    bounds.top = top;
    SetBounds(bounds);
}

void Control::SetWidth(int width) {
    Rect bounds = Bounds();
    bounds.width = width;
    SetBounds(bounds);
}

void Control::SetHeight(int height) {
    Rect bounds = Bounds();
    bounds.height = height;
    SetBounds(bounds);
}

}  // namespace kestrune::toolkit
