// Conversion of text that comes from files into the program's UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform {

// Single-byte text in the legacy code page (Windows: the system ANSI code page; POSIX:
// code page 1251) to UTF-8. Pure ASCII comes back unchanged.
std::string LegacyToUtf8(std::string_view bytes);

// UTF-8 to single-byte text in the legacy code page: as many whole characters as fit in
// maxBytes, "?" for each character the code page lacks.
std::string Utf8ToLegacy(std::string_view utf8, std::size_t maxBytes);

// The text in lower case, every letter that has one, for comparing names as a file system
// that ignores letter case would.
std::string FoldCase(std::string_view utf8);

// UTF-16 code units to UTF-8: surrogate pairs combined, a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// UTF-8 as it came from a file: valid sequences kept, every invalid byte becomes U+FFFD.
std::string SanitiseUtf8(std::string_view bytes);

// Appends the UTF-8 form of one code point (U+FFFD for a value that is no code point).
void AppendUtf8(std::string& text, char32_t codePoint);

// The code points of UTF-8 text (as SanitiseUtf8 leaves it).
std::u32string CodePoints(std::string_view utf8);

// Number of characters (code points) in UTF-8 text.
std::size_t CountCharacters(std::string_view utf8);

// The first count characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, std::size_t count);

}  // namespace kestrune::platform
