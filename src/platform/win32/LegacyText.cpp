// Legacy single-byte text on Windows: the system ANSI code page, through UTF-16.
#include "platform/TextCodec.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform {

std::string LegacyToUtf8(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return win32::Narrow(wide);
}

}  // namespace kestrune::platform
