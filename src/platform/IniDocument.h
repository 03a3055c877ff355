// An INI document held as its lines, so that setting a value changes one line and keeps the
// rest byte for byte: comments, blank lines, unknown sections and keys, order, line endings.
// Sections and keys are found as the Windows profile functions find them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::platform {

// A profile text read back keeps at most this many characters, as a 2,048-character buffer
// with its terminating zero does on Windows.
inline constexpr std::size_t kMaxProfileTextCharacters = 2047;

// Far more than any settings file holds; bounds what a foreign file can make us allocate.
inline constexpr std::size_t kMaxProfileFileBytes = 1 << 20;

class IniDocument {
public:
    // Any bytes make a document; nothing is rejected. A UTF-8 byte-order mark is kept aside.
    static IniDocument Parse(std::string_view text);

    // The document as text; Serialise(Parse(text)) == text for every text.
    std::string Serialise() const;

    // The value of the first key of that name inside a section of that name, in file order.
    // Names are compared without regard to ASCII case, after trimming blanks and tabs. The
    // value is trimmed of blanks and tabs, then loses one pair of matching quotes (" or ')
    // that encloses it. Nothing when there is no such key: a line without "=" is no key.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    // Sets the key that Value would find; without one, adds the key after the last non-blank
    // line of the first section of that name, or adds the section at the end of the document.
    // New lines end as the document's first line does (LF in a document without one). Only
    // the value's first line is written, so a line break cannot make keys of its own; a
    // section or key name with a line break is no name, and nothing is written for it.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        std::string text;    // without its line ending
        std::string ending;  // "\r\n", "\n", or empty for a last line without one
    };

    std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;
    std::optional<std::size_t> FindSectionLine(std::string_view section) const;
    void InsertLine(std::size_t index, std::string text);

    std::string byteOrderMark_;
    std::vector<Line> lines_;
    std::string newLine_ = "\n";
};

// The text before the first line break: what a profile key can hold.
std::string_view FirstLineOf(std::string_view value);

// The integer a profile value stands for, read as Windows reads one: leading blanks and
// control characters skipped, an optional sign, an optional base prefix ("0x" hexadecimal,
// "0o" octal, "0b" binary), then digits up to the first character that is not one. Unlike
// Windows, a number beyond the range of int is clamped to it rather than wrapped, so a huge
// stored value never turns into a small or negative one. A value without digits reads as 0.
int ProfileInteger(std::string_view value);

}  // namespace kestrune::platform
