// Any other exception escapes and fails the test on its own.
#include "ExpectCpuUsageError.h"

#include "adCpuUsage/CpuUsageError.h"

#include <gtest/gtest.h>

namespace kestrune::test {

void ExpectCpuUsageError(const std::function<void()>& call, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const cpuusage::CpuUsageError& error) {
        EXPECT_EQ(error.what(), message);
    }
}

}  // namespace kestrune::test
