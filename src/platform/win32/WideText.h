// UTF-8 <-> UTF-16 at the boundary with the W functions of Windows, and text in the system
// ANSI code page to UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace kestrune::platform::win32
