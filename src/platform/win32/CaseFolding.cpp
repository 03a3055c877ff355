// Letter case on Windows: CharLowerBuffW, the system's own rule for every letter.
#include "platform/TextCodec.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform {

std::string FoldCase(std::string_view utf8) {
    std::wstring units = win32::Widen(utf8);
    CharLowerBuffW(units.data(), static_cast<DWORD>(units.size()));
    return win32::Narrow(units);
}

}  // namespace kestrune::platform
