// The Windows rules that turn one command-line text into arguments, and their inverse for
// a single argument. The POSIX launcher splits with them, so a command line means the same
// arguments on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::platform {

// Splits a command line into arguments. Blanks and tabs outside double quotes separate
// arguments; double quotes group and are removed. The first argument, the program, takes
// its characters literally apart from the quotes. In the others, backslashes are literal
// unless they stand before a double quote: then each pair gives one backslash and an odd
// one left over makes the quote a literal character; "" inside quotes is a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The argument between double quotes, written so that SplitCommandLine gives back exactly
// the argument: every quote as \" and the backslashes before a quote, or before the closing
// quote, doubled. A text without quotes or trailing backslashes is only enclosed.
std::string QuoteArgument(std::string_view argument);

}  // namespace kestrune::platform
