// UTF-8, ANSI and other code pages <-> UTF-16 through MultiByteToWideChar and
// WideCharToMultiByte.
#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform::win32 {

namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

std::wstring FromAnsi(std::string_view bytes) {
    return ToWide(CP_ACP, bytes);
}

std::string Narrow(std::wstring_view utf16) {
    return ToCodePage(CP_UTF8, utf16);
}

std::string ToCodePage(unsigned codePage, std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(
        codePage, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

}  // namespace kestrune::platform::win32
