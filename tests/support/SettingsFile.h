// Settings files in the form the program writes them: UTF-8 on POSIX, UTF-16 with its
// byte-order mark on Windows.
#pragma once

#include "support/Id3Builders.h"

#include <string>
#include <string_view>

namespace kestrune::test {

// The bytes of a settings file holding the UTF-8 text.
Bytes SettingsFileBytes(std::string_view text);

// The text of a settings file as UTF-8; "?" alone when the file does not have that form.
std::string SettingsFileText(const std::string& path);

}  // namespace kestrune::test
