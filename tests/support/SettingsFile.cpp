#include "support/SettingsFile.h"

#include "support/TempDir.h"

#ifdef _WIN32
#include "platform/win32/WideText.h"
#endif

namespace kestrune::test {

#ifdef _WIN32
namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

}  // namespace

Bytes SettingsFileBytes(std::string_view text) {
    Bytes bytes(kUtf16Mark.begin(), kUtf16Mark.end());
    for (const wchar_t unit : platform::win32::Widen(text)) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string SettingsFileText(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    if (!std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())
             .starts_with(kUtf16Mark) ||
        bytes.size() % 2 != 0) {
        return "?";
    }
    std::wstring units;
    for (std::size_t i = kUtf16Mark.size(); i < bytes.size(); i += 2) {
        units.push_back(static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8));
    }
    return platform::win32::Narrow(units);
}
#else
Bytes SettingsFileBytes(std::string_view text) {
    return BytesOf(text);
}

std::string SettingsFileText(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}
#endif

}  // namespace kestrune::test
