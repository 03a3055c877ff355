// Legacy single-byte text on Windows: the system ANSI code page, through UTF-16.
#include "platform/TextCodec.h"

#include "platform/win32/WideText.h"

namespace kestrune::platform {

std::string LegacyToUtf8(std::string_view bytes) {
    return win32::Narrow(win32::FromAnsi(bytes));
}

}  // namespace kestrune::platform
