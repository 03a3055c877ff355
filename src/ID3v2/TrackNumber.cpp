// Integer reading in the manner of the common "text to integer, else a default" routines
// of Windows programs: a sign, decimal or hexadecimal, nothing after the digits.
#include "ID3v2/TrackNumber.h"

#include <optional>

namespace kestrune::id3v2 {

namespace {

constexpr std::uint64_t kLargestDecimal = 0x7FFFFFFF;
constexpr std::uint64_t kLargestHexadecimal = 0xFFFFFFFF;

std::optional<int> DigitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? std::optional(value) : std::nullopt;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The text as a 32-bit two's complement integer, or nothing when it is not one.
std::optional<std::uint32_t> ParseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    for (const std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
        if (StartsWith(text, prefix)) {
            base = 16;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::uint64_t largest =
        base == 16 ? kLargestHexadecimal : kLargestDecimal + (negative ? 1 : 0);
    std::uint64_t value = 0;
    for (const char c : text) {
        const auto digit = DigitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(*digit);
        if (value > largest) {
            return std::nullopt;
        }
    }
    const auto magnitude = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

}  // namespace

std::uint16_t TrackNumberOf(std::string_view trackText) {
    const std::string_view number = trackText.substr(0, trackText.find('/'));
    return static_cast<std::uint16_t>(ParseInteger(number).value_or(0));
}

}  // namespace kestrune::id3v2
