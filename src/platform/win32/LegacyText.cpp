// Legacy single-byte text on Windows: the system ANSI code page, through UTF-16. The ANSI
// code page may take two bytes for a character, so text is encoded a character at a time.
#include "platform/TextCodec.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform {

std::string Utf8ToLegacy(std::string_view utf8, std::size_t maxBytes) {
    std::string bytes;
    for (const char32_t character : CodePoints(utf8)) {
        std::string one;
        AppendUtf8(one, character);
        const std::wstring units = win32::Widen(one);
        char encoded[8];
        BOOL usedDefault = FALSE;
        // No "best fit": a character the code page lacks becomes "?", never a look-alike.
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units.data(),
                                               static_cast<int>(units.size()), encoded,
                                               sizeof encoded, "?", &usedDefault);
        const std::string_view piece =
            length > 0 ? std::string_view(encoded, static_cast<std::size_t>(length)) : "?";
        if (bytes.size() + piece.size() > maxBytes) {
            break;
        }
        bytes.append(piece);
    }
    return bytes;
}

std::string LegacyToUtf8(std::string_view bytes) {
    return win32::Narrow(win32::FromAnsi(bytes));
}

}  // namespace kestrune::platform
