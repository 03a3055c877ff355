// POSIX setenv/unsetenv; Windows _wputenv_s on the UTF-16 names and values (an empty value
// unsets there), which changes the process's environment too, as child processes see it.
#include "support/ScopedEnvironment.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include "platform/win32/WideText.h"
#endif

namespace kestrune::test {

namespace {

#ifdef _WIN32
using platform::win32::Narrow;
using platform::win32::Widen;

void Apply(const std::string& name, const std::optional<std::string>& value) {
    _wputenv_s(Widen(name).c_str(), value ? Widen(*value).c_str() : L"");
}

std::optional<std::string> Current(const std::string& name) {
    const wchar_t* value = _wgetenv(Widen(name).c_str());
    return value != nullptr ? std::optional(Narrow(value)) : std::nullopt;
}
#else
void Apply(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

std::optional<std::string> Current(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}
#endif

}  // namespace

ScopedEnvironment::~ScopedEnvironment() {
    for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
        Apply(saved->first, saved->second);
    }
}

void ScopedEnvironment::Set(const std::string& name, const std::string& value) {
    Remember(name);
    Apply(name, value);
}

void ScopedEnvironment::Unset(const std::string& name) {
    Remember(name);
    Apply(name, std::nullopt);
}

void ScopedEnvironment::Remember(const std::string& name) {
    if (std::ranges::none_of(saved_, [&](const auto& saved) { return saved.first == name; })) {
        saved_.emplace_back(name, Current(name));
    }
}

}  // namespace kestrune::test
