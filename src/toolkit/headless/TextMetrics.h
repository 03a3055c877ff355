// The headless back end's stand-in for measuring text: every character is half the
// font's height wide (rounded up), every line two pixels taller than the font.
#pragma once

#include "toolkit/Font.h"
#include "toolkit/Layout.h"

#include <string_view>

namespace kestrune::toolkit::headless {

Size TextExtent(std::string_view text, const Font& font);

}  // namespace kestrune::toolkit::headless
