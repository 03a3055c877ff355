// /proc/stat: "cpuN user nice system idle iowait irq softirq ..." with counts in clock ticks.
#include "adCpuUsage/ProcStatParser.h"

#include <charconv>
#include <limits>
#include <optional>

namespace kestrune::cpuusage {

namespace {

constexpr std::string_view kProcessorPrefix = "cpu";
// Word positions on a line; word 0 is "cpuN".
constexpr std::size_t kIdleWord = 4;
constexpr std::size_t kIowaitWord = 5;

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = line.find_first_not_of(" \t");
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(" \t", start);
        words.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(" \t", end);
    }
    return words;
}

// The idle ticks of one "cpuN" line, or nothing for any other line.
std::optional<ProcessorIdleTicks> IdleTicksOf(std::string_view line) {
    if (!line.starts_with(kProcessorPrefix)) {
        return std::nullopt;  // spares splitting the long interrupt lines
    }
    const std::vector<std::string_view> words = Words(line);
    const auto processor =
        words.empty() ? std::nullopt : ParseNumber(words[0].substr(kProcessorPrefix.size()));
    if (words.size() <= kIdleWord || !processor ||
        *processor > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    std::uint64_t ticks = 0;
    for (std::size_t word = 1; word < words.size() && word <= kIowaitWord; ++word) {
        const auto value = ParseNumber(words[word]);
        if (!value) {
            return std::nullopt;
        }
        if (word >= kIdleWord) {
            ticks += *value;
        }
    }
    return ProcessorIdleTicks{static_cast<std::uint32_t>(*processor), ticks};
}

}  // namespace

std::vector<ProcessorIdleTicks> ParseProcStatIdleTicks(std::string_view text) {
    std::vector<ProcessorIdleTicks> idleTicks;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (const auto ticks = IdleTicksOf(text.substr(0, end))) {
            idleTicks.push_back(*ticks);
        }
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return idleTicks;
}

}  // namespace kestrune::cpuusage
