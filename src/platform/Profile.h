// Settings files in the INI format, read and written key by key with the rules of the Windows
// profile functions on every system. Never fails loudly: a missing or unreadable file reads
// as a file without keys, and a write that cannot be done leaves everything as it was.
// Names avoid those that <windows.h> turns into macros (WriteProfileString, ...).
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform {

// The integer of a key (see ProfileInteger in IniDocument.h); the default only when the
// file, the section or the key is missing. A key that holds no number reads as 0.
int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int defaultValue);

// The text of a key, trimmed and unquoted as IniDocument::Value describes, at most
// kMaxProfileTextCharacters characters (UTF-8 code points). A key present with an empty
// value reads as empty; the default, without its trailing blanks, only when the key is missing.
std::string ReadProfileText(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view defaultValue);

// Sets a key, adding it or its section when missing and keeping everything else of the file.
// The first write creates the file. Only the value's first line is written. A file too large
// to be settings (over 1 MiB) or unreadable is never written over.
// POSIX: the missing folders of the path are created (mode 0700), and the file is replaced in
// one step so a crash leaves either the old or the new file.
// Windows: the file is kept in UTF-16 with a byte-order mark, so that paths in any script
// survive: a new file starts so, and an existing file without a mark is converted once before
// the write, its text read in the ANSI code page as Windows has always read it.
void WriteProfileText(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace kestrune::platform
