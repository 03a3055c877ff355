// The Qt application object the back end needs before any widget: made on first use when
// the program has not made its own, speaking Russian and drawn in the classic style.
#pragma once

namespace kestrune::toolkit::qt {

void EnsureApplication();

}  // namespace kestrune::toolkit::qt
