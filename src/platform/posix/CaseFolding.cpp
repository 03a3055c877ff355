// Letter case on POSIX: towlower in the C.UTF-8 locale, which knows every letter whatever the
// process's own locale is; ASCII alone where that locale is missing.
#include "platform/AsciiText.h"
#include "platform/TextCodec.h"

#include <locale.h>
#include <wctype.h>

namespace kestrune::platform {

std::string FoldCase(std::string_view utf8) {
    static const locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    std::string folded;
    for (const char32_t character : CodePoints(utf8)) {
        if (utf8Locale != locale_t{}) {
            AppendUtf8(folded, static_cast<char32_t>(
                                   towlower_l(static_cast<wint_t>(character), utf8Locale)));
        } else if (character < 0x80) {
            folded.push_back(AsciiLower(static_cast<char>(character)));
        } else {
            AppendUtf8(folded, character);
        }
    }
    return folded;
}

}  // namespace kestrune::platform
