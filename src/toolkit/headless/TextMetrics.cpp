// Text extents of the headless back end: deterministic, so tests can rely on them.
#include "toolkit/headless/TextMetrics.h"

#include "platform/TextCodec.h"

namespace kestrune::toolkit::headless {

Size TextExtent(std::string_view text, const Font& font) {
    const int characterWidth = (font.height + 1) / 2;
    return {static_cast<int>(platform::CountCharacters(text)) * characterWidth, font.height + 2};
}

}  // namespace kestrune::toolkit::headless
