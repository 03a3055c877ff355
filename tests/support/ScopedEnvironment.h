// Environment variables changed for the life of one object and restored when it goes, so a
// test never reads or writes the real user's files.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::test {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    // Restores every variable changed through this object to what it was before.
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // Windows keeps no empty variables: there an empty value unsets the variable.
    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);

private:
    // Keeps the variable's first value, once per name.
    void Remember(const std::string& name);

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace kestrune::test
