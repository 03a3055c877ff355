// A framed container with a caption on its top edge.
#pragma once

#include "toolkit/Container.h"

#include <string>

namespace kestrune::toolkit {

class GroupBox : public Container {
public:
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual Alignment CaptionAlignment() const = 0;
    virtual void SetCaptionAlignment(Alignment alignment) = 0;
};

}  // namespace kestrune::toolkit
