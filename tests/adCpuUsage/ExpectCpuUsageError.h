// Checks that a call raises CpuUsageError with exactly the given message.
#pragma once

#include <functional>
#include <string>

namespace kestrune::test {

void ExpectCpuUsageError(const std::function<void()>& call, const std::string& message);

}  // namespace kestrune::test
