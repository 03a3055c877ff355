// POSIX setenv/unsetenv, Windows _putenv_s (an empty value unsets there).
#include "support/ScopedEnvironment.h"

#include <algorithm>
#include <cstdlib>

namespace kestrune::test {

namespace {

void Apply(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
#endif
}

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
    if (std::ranges::any_of(saved_, [&](const auto& saved) { return saved.first == name; })) {
        return;
    }
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
}

}  // namespace kestrune::test
