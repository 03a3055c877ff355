// The INI document model: lines classified on the fly as section headers, keys or other
// text, so that nothing the program does not understand is lost when it writes.
#include "platform/IniDocument.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrune::platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

// The name of a section header line ("[name]", blanks allowed around the name and the
// brackets); a header without its closing bracket names the rest of the line.
std::optional<std::string_view> SectionNameOf(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::string_view inside = trimmed.substr(1);
    return Trim(inside.substr(0, inside.find(']')));
}

// Where the "=" of a key line is; a section header is never a key line.
std::optional<std::size_t> EqualsSignOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || SectionNameOf(line)) {
        return std::nullopt;
    }
    return equals;
}

std::string_view UnquotedValueOf(std::string_view line, std::size_t equals) {
    const std::string_view value = Trim(line.substr(equals + 1));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    if (text.starts_with(kUtf8ByteOrderMark)) {
        document.byteOrderMark_ = kUtf8ByteOrderMark;
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    bool endingSeen = false;
    while (!text.empty()) {
        const std::size_t lineFeed = text.find('\n');
        Line line;
        if (lineFeed == std::string_view::npos) {
            line.text = text;
            text = {};
        } else {
            const bool crlf = lineFeed > 0 && text[lineFeed - 1] == '\r';
            line.text = text.substr(0, crlf ? lineFeed - 1 : lineFeed);
            line.ending = crlf ? "\r\n" : "\n";
            text.remove_prefix(lineFeed + 1);
            if (!endingSeen) {
                document.newLine_ = line.ending;
                endingSeen = true;
            }
        }
        document.lines_.push_back(std::move(line));
    }
    return document;
}

std::string IniDocument::Serialise() const {
    std::string text = byteOrderMark_;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

std::optional<std::size_t> IniDocument::FindSectionLine(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionNameOf(lines_[i].text);
        if (name && EqualIgnoringAsciiCase(*name, Trim(section))) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKeyLine(std::string_view section,
                                                    std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = lines_[i].text;
        if (const auto name = SectionNameOf(text)) {
            inSection = EqualIgnoringAsciiCase(*name, Trim(section));
        } else if (const auto equals = EqualsSignOf(text); inSection && equals) {
            if (EqualIgnoringAsciiCase(Trim(text.substr(0, *equals)), Trim(key))) {
                return i;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> IniDocument::Value(std::string_view section,
                                                   std::string_view key) const {
    const auto index = FindKeyLine(section, key);
    if (!index) {
        return std::nullopt;
    }
    const std::string_view text = lines_[*index].text;
    return UnquotedValueOf(text, *EqualsSignOf(text));
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (FirstLineOf(section) != section || FirstLineOf(key) != key) {
        return;
    }
    value = FirstLineOf(value);
    if (const auto index = FindKeyLine(section, key)) {
        // Keep the key as it is spelt and spaced; replace only what follows the "=".
        std::string& text = lines_[*index].text;
        const std::size_t equals = *EqualsSignOf(text);
        const std::size_t valueStart =
            std::min(text.find_first_not_of(kBlanks, equals + 1), text.size());
        text.replace(valueStart, std::string::npos, value);
        return;
    }
    std::string keyLine = std::string(key) + "=" + std::string(value);
    if (const auto header = FindSectionLine(section)) {
        std::size_t insertAt = *header + 1;
        for (std::size_t i = *header + 1; i < lines_.size() && !SectionNameOf(lines_[i].text);
             ++i) {
            if (!IsBlank(lines_[i].text)) {
                insertAt = i + 1;
            }
        }
        InsertLine(insertAt, std::move(keyLine));
        return;
    }
    if (!lines_.empty() && !IsBlank(lines_.back().text)) {
        InsertLine(lines_.size(), {});
    }
    std::string header = "[";
    header.append(section).append("]");
    InsertLine(lines_.size(), std::move(header));
    InsertLine(lines_.size(), std::move(keyLine));
}

void IniDocument::InsertLine(std::size_t index, std::string text) {
    if (index > 0 && lines_[index - 1].ending.empty()) {
        lines_[index - 1].ending = newLine_;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                  Line{std::move(text), newLine_});
}

std::string_view FirstLineOf(std::string_view value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

int ProfileInteger(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char prefix = AsciiLower(value[i + 1]);
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) {
            i += 2;
        }
    }
    // Digits beyond the range only make the number larger: stop counting there.
    constexpr std::uint64_t kBeyondRange = std::uint64_t{1} << 32;
    std::uint64_t total = 0;
    for (; i < value.size(); ++i) {
        const char c = AsciiLower(value[i]);
        const std::uint32_t digit = (c >= '0' && c <= '9') ? static_cast<std::uint32_t>(c - '0')
                                    : (c >= 'a' && c <= 'z')
                                        ? static_cast<std::uint32_t>(c - 'a' + 10)
                                        : base;
        if (digit >= base) {
            break;
        }
        total = std::min(total * base + digit, kBeyondRange);
    }
    const std::int64_t signedTotal =
        negative ? -static_cast<std::int64_t>(total) : static_cast<std::int64_t>(total);
    return static_cast<int>(std::clamp<std::int64_t>(signedTotal, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace kestrune::platform
