// UTF-8 <-> UTF-16 at the boundary with the W functions of Windows, text in the system
// ANSI code page to UTF-16, and UTF-16 to the bytes of a code page.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::wstring FromAnsi(std::string_view bytes);
// Characters the code page lacks become its default character.
std::string ToCodePage(unsigned codePage, std::wstring_view utf16);

}  // namespace kestrune::platform::win32
