// /proc/<pid>/stat: "pid (comm) state ppid pgrp session tty tpgid flags minflt cminflt majflt
// cmajflt utime stime cutime cstime ...", the times in clock ticks.
#include "platform/ProcessTreeTime.h"

#include <charconv>
#include <vector>

namespace kestrune::platform {

namespace {

// Field numbers counted from the state, the first field after the command name.
constexpr std::size_t kGroupField = 2;
constexpr std::size_t kSessionField = 3;
constexpr std::size_t kFirstTimeField = 11;  // utime; stime, cutime and cstime follow
constexpr std::size_t kTimeFields = 4;

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = text.find_first_not_of(" \n");
    while (start != std::string_view::npos) {
        const std::size_t end = text.find_first_of(" \n", start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        start = end == std::string_view::npos ? end : text.find_first_not_of(" \n", end);
    }
    return fields;
}

}  // namespace

std::optional<ProcessStatEntry> ParseProcessStat(std::string_view text) {
    const std::size_t open = text.find(" (");
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::nullopt;
    }
    const auto pid = ParseNumber<std::int64_t>(text.substr(0, open));
    const std::vector<std::string_view> fields = Fields(text.substr(close + 1));
    if (!pid || fields.size() < kFirstTimeField + kTimeFields) {
        return std::nullopt;
    }
    const auto group = ParseNumber<std::int64_t>(fields[kGroupField]);
    const auto session = ParseNumber<std::int64_t>(fields[kSessionField]);
    if (!group || !session) {
        return std::nullopt;
    }
    ProcessStatEntry entry{.pid = *pid, .group = *group, .session = *session};
    for (std::size_t i = kFirstTimeField; i < kFirstTimeField + kTimeFields; ++i) {
        const auto ticks = ParseNumber<std::uint64_t>(fields[i]);
        if (!ticks) {
            return std::nullopt;
        }
        entry.ticks += *ticks;
    }
    return entry;
}

std::uint64_t ProcessTreeTime::Add(std::span<const ProcessTicks> reading) {
    std::map<std::int64_t, std::uint64_t> now;
    for (const ProcessTicks& process : reading) {
        const auto before = last_.find(process.pid);
        const std::uint64_t counted =
            before != last_.end() && before->second <= process.ticks ? before->second : 0;
        total_ += process.ticks - counted;
        now[process.pid] = process.ticks;
    }
    last_ = std::move(now);
    return total_;
}

}  // namespace kestrune::platform
