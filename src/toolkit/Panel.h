// A plain rectangular container without border, usually docked to an edge of its window.
#pragma once

#include "toolkit/Container.h"

namespace kestrune::toolkit {

class Panel : public Container {};

}  // namespace kestrune::toolkit
