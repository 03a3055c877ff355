// The Windows rules that turn one command-line text into arguments, and their inverse for
// a single argument. The POSIX launcher splits with them, so a command line means the same
// arguments on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::platform {

// Splits a command line into arguments. Blanks and tabs outside double quotes separate
// arguments; double quotes group and are removed. Backslashes are literal unless they stand
// before a double quote: then each pair gives one backslash and an odd one left over makes
// the quote a literal character; "" inside quotes is a literal quote. The program, the
// first argument, follows the same rules: Windows reads it without escapes, but a Windows
// path holds no quote and ends in no backslash, so a quoted path means the same to both,
// and a POSIX path may hold a quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The argument between double quotes, written so that SplitCommandLine gives back exactly
// the argument: every quote as \" and the backslashes before a quote, or before the closing
// quote, doubled. A text without quotes or trailing backslashes is only enclosed.
std::string QuoteArgument(std::string_view argument);

}  // namespace kestrune::platform
