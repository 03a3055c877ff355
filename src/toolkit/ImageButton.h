// A push button without text that shows one image of an image list. A flat button shows
// its frame only under the mouse pointer.
#pragma once

#include "toolkit/Control.h"

#include <functional>

namespace kestrune::toolkit {

class ImageList;

class ImageButton : public Control {
public:
    virtual const ImageList& Images() const = 0;
    virtual int ImageIndex() const = 0;
    virtual bool IsFlat() const = 0;
    virtual void SetFlat(bool flat) = 0;

    // The user pressed the button.
    std::function<void()> onClick;
    // The user asked for the button's context menu: a right click, or the menu key while
    // the button has the focus. Empty: the button has no context menu.
    std::function<void()> onContextMenu;
};

}  // namespace kestrune::toolkit
