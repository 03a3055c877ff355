// The size each kind of control has when it is created, the same on every back end. They
// resemble the classic Windows controls; the program sets the sizes it cares about.
#pragma once

#include "toolkit/Layout.h"

namespace kestrune::toolkit::base {

inline constexpr Size kPanelSize{100, 41};
inline constexpr Size kGroupBoxSize{185, 105};
inline constexpr Size kLabelSize{64, 17};
inline constexpr Size kButtonSize{75, 23};
inline constexpr Size kImageButtonSize{23, 23};
inline constexpr Size kCheckBoxSize{97, 17};
inline constexpr Size kRadioButtonSize{113, 17};
inline constexpr Size kEditSize{121, 21};
inline constexpr Size kComboBoxSize{145, 21};
inline constexpr Size kListViewSize{121, 97};
inline constexpr Size kTrackBarSize{150, 45};
inline constexpr Size kUpDownSize{17, 23};
inline constexpr Size kProgressBarSize{150, 17};
inline constexpr Size kWindowClientSize{300, 200};

}  // namespace kestrune::toolkit::base
