// Letter case of ASCII text only: file names, keys and extensions are compared with the
// letters A to Z folded, while every other character, Cyrillic included, must match exactly.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform {

char AsciiLower(char c);

std::string AsciiUpper(std::string_view text);

// Same length, and equal once A to Z are folded to a to z.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);

}  // namespace kestrune::platform
