// Settings files on Windows: the W profile functions, with UTF-8 <-> UTF-16 at the boundary.
#include "platform/Profile.h"

#include "platform/Handle.h"
#include "platform/IniDocument.h"
#include "platform/TextCodec.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform {

namespace {

// Room for kMaxProfileTextCharacters characters even when each needs a surrogate pair, so
// the limit counts characters rather than UTF-16 units.
constexpr DWORD kTextBufferUnits = 2 * kMaxProfileTextCharacters + 1;

constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";

// UTF-16 in either byte order, or UTF-8.
bool HasByteOrderMark(std::string_view bytes) {
    return bytes.starts_with(kUtf16LittleEndianMark) || bytes.starts_with("\xFE\xFF") ||
           bytes.starts_with("\xEF\xBB\xBF");
}

// Writes a UTF-16 file with its byte-order mark; false when it could not be written whole.
bool WriteUtf16File(const std::wstring& path, DWORD disposition, std::wstring_view text) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const OwnedHandle owned(reinterpret_cast<NativeHandle>(handle));
    std::string bytes(kUtf16LittleEndianMark);
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(handle);
}

// The profile functions keep a file that begins with a byte-order mark in its Unicode form,
// and read and write any other file in the ANSI code page, which cannot hold every path.
// So before a write, a missing file is started as UTF-16 with its mark alone, and a file
// without a mark is rewritten once in UTF-16, its text decoded from the ANSI code page as
// the profile functions read it: nothing in it changes meaning, and any character can be
// written after. The new form is written beside the file and moved over it in one step.
// False when the file is neither missing nor Unicode afterwards (it cannot be read whole,
// or is too large to be settings): then it is not to be written.
bool MakeUnicodeFile(const std::wstring& path) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND && WriteUtf16File(path, CREATE_NEW, {});
    }
    OwnedHandle file(reinterpret_cast<NativeHandle>(handle));
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size) ||
        size.QuadPart > static_cast<LONGLONG>(kMaxProfileFileBytes)) {
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
        got != bytes.size()) {
        return false;
    }
    if (HasByteOrderMark(bytes)) {
        return true;
    }
    file.Reset();
    const std::wstring temporary = path + L".new";
    if (WriteUtf16File(temporary, CREATE_ALWAYS, win32::FromAnsi(bytes)) &&
        MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace

int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    // Read as text, so a number beyond int clamps as on every system instead of wrapping as
    // GetPrivateProfileIntW does. Only a missing key gives back two different defaults.
    const std::string text = ReadProfileText(file, section, key, "0");
    if (text == "0" && ReadProfileText(file, section, key, "1") == "1") {
        return defaultValue;
    }
    return ProfileInteger(text);
}

std::string ReadProfileText(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view defaultValue) {
    std::wstring buffer(kTextBufferUnits, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(win32::Widen(section).c_str(), win32::Widen(key).c_str(),
                                 win32::Widen(defaultValue).c_str(), buffer.data(),
                                 kTextBufferUnits, win32::Widen(file).c_str());
    buffer.resize(length);
    const std::string text = win32::Narrow(buffer);
    return std::string(FirstCharacters(text, kMaxProfileTextCharacters));
}

void WriteProfileText(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::wstring path = win32::Widen(file);
    if (!MakeUnicodeFile(path)) {
        return;
    }
    WritePrivateProfileStringW(win32::Widen(section).c_str(), win32::Widen(key).c_str(),
                               win32::Widen(FirstLineOf(value)).c_str(), path.c_str());
}

}  // namespace kestrune::platform
