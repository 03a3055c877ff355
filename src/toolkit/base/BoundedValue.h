// The range and position of a progress bar, a track bar or an up-down control: the position
// always lies inside the range, whichever way round its ends were given.
#pragma once

#include <algorithm>

namespace kestrune::toolkit::base {

struct BoundedValue {
    int minimum = 0;
    int maximum = 100;
    int position = 0;

    void SetRange(int newMinimum, int newMaximum) {
        minimum = newMinimum;
        maximum = newMaximum;
        SetPosition(position);
    }
    void SetPosition(int newPosition) {
        position = std::clamp(newPosition, std::min(minimum, maximum), std::max(minimum, maximum));
    }
};

}  // namespace kestrune::toolkit::base
