// Settings files on Windows: the W profile functions, with UTF-8 <-> UTF-16 at the boundary.
#include "platform/Profile.h"

#include "platform/Handle.h"
#include "platform/IniDocument.h"
#include "platform/TextCodec.h"
#include "platform/win32/WideText.h"

#include <windows.h>
// <windows.h> makes this name a macro; the platform layer defines its own.
#undef WriteProfileString

namespace kestrune::platform {

namespace {

// Room for kMaxProfileTextCharacters characters even when each needs a surrogate pair, so
// the limit counts characters rather than UTF-16 units.
constexpr DWORD kTextBufferUnits = 2 * kMaxProfileTextCharacters + 1;

// The profile functions write a file that begins with a UTF-16 byte-order mark in UTF-16, and
// any other file in the ANSI code page, which cannot hold every path. So a new file is
// started with the mark alone. An existing file is left as it is.
void StartUnicodeFileIfMissing(const std::wstring& path) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    const OwnedHandle owned(reinterpret_cast<NativeHandle>(handle));
    constexpr BYTE kUtf16LittleEndianMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(handle, kUtf16LittleEndianMark, sizeof kUtf16LittleEndianMark, &written, nullptr);
}

}  // namespace

int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    // Read as text, so a number beyond int clamps as on every system instead of wrapping as
    // GetPrivateProfileIntW does. Only a missing key gives back two different defaults.
    const std::string text = ReadProfileString(file, section, key, "0");
    if (text == "0" && ReadProfileString(file, section, key, "1") == "1") {
        return defaultValue;
    }
    return ProfileInteger(text);
}

std::string ReadProfileString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    std::wstring buffer(kTextBufferUnits, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(win32::Widen(section).c_str(), win32::Widen(key).c_str(),
                                 win32::Widen(defaultValue).c_str(), buffer.data(),
                                 kTextBufferUnits, win32::Widen(file).c_str());
    buffer.resize(length);
    const std::string text = win32::Narrow(buffer);
    return std::string(FirstCharacters(text, kMaxProfileTextCharacters));
}

void WriteProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::wstring path = win32::Widen(file);
    StartUnicodeFileIfMissing(path);
    WritePrivateProfileStringW(win32::Widen(section).c_str(), win32::Widen(key).c_str(),
                               win32::Widen(FirstLineOf(value)).c_str(), path.c_str());
}

}  // namespace kestrune::platform
