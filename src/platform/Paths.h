// Path helpers. The separator set is a parameter, so the rules for Windows paths
// ("\", "/" and ":") and POSIX paths ("/") are tested on any machine.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform {

struct PathSeparators {
    std::string_view all;  // every character that ends a folder part
    char primary;          // the one written between a folder and a name
};

// Windows reads "/" as "\" in every path, so both end a folder part.
inline constexpr PathSeparators kWindowsSeparators{"\\/:", '\\'};
inline constexpr PathSeparators kPosixSeparators{"/", '/'};

#ifdef _WIN32
inline constexpr PathSeparators kNativeSeparators = kWindowsSeparators;
#else
inline constexpr PathSeparators kNativeSeparators = kPosixSeparators;
#endif

// How names are compared where the list asks whether a file is in it already: Windows
// folds the letters A to Z, as the program always did there; POSIX file systems tell every
// byte apart.
enum class NameCase { asciiFolded, exact };
#ifdef _WIN32
inline constexpr NameCase kNativeNameCase = NameCase::asciiFolded;
#else
inline constexpr NameCase kNativeNameCase = NameCase::exact;
#endif

bool IsSamePathSpelling(std::string_view a, std::string_view b, NameCase rule = kNativeNameCase);

// The path as those comparisons see it: equal keys, equal spellings.
std::string SpellingKey(std::string_view path, NameCase rule = kNativeNameCase);

// The part after the last separator.
std::string_view FileNameOf(std::string_view path, PathSeparators separators = kNativeSeparators);

// The part up to and including the last separator (empty when there is none).
std::string_view FolderOf(std::string_view path, PathSeparators separators = kNativeSeparators);

// A file name without its last extension: the part before its last "." (all of it without one).
std::string_view StemOf(std::string_view fileName);

// True when the path ends with one of the separators (a root folder such as "C:\" or "/").
bool EndsWithSeparator(std::string_view path, PathSeparators separators = kNativeSeparators);

// The folder with the primary separator added unless it already ends with a separator.
std::string WithTrailingSeparator(std::string_view folder,
                                  PathSeparators separators = kNativeSeparators);

// The path with one separator at its end taken off, if it has one.
std::string_view WithoutTrailingSeparator(std::string_view path,
                                          PathSeparators separators = kNativeSeparators);

// The folder, one primary separator and the name.
std::string JoinPath(std::string_view folder, std::string_view name,
                     PathSeparators separators = kNativeSeparators);

}  // namespace kestrune::platform
